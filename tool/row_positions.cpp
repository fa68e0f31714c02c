#include "tool/row_positions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "tool/feature_points.h"
#include "util/trigonometry.h"

namespace {

// A point in the frame turned by minus the axis angle: its place along the
// axis, and its distance from the dimension line across it.
struct Placed {
  double Along = 0;
  double Across = 0;
};

// The turned frame of a row's rules.
class Frame {
 public:
  explicit Frame(const RowRules& rules)
      : cos_(Cosine(DegreesToRadians(rules.AxisAngle))),
        sin_(Sine(DegreesToRadians(rules.AxisAngle))),
        lineAcross_(rules.LinePoint.Y * cos_ - rules.LinePoint.X * sin_) {}

  double Along(Point p) const { return p.X * cos_ + p.Y * sin_; }
  Placed Place(Point p) const {
    return Placed{Along(p), std::fabs(p.Y * cos_ - p.X * sin_ - lineAcross_)};
  }

 private:
  double cos_, sin_;
  double lineAcross_;  // where the dimension line lies across the axis
};

bool IsFinite(const Placed& p) { return std::isfinite(p.Along) && std::isfinite(p.Across); }

// Of two points at one place, the one measured to: the nearer the dimension
// line, then the first along the axis; of two alike, the one found first.
bool Better(const Placed& candidate, const Placed& best) {
  return candidate.Across < best.Across ||
         (candidate.Across == best.Across && candidate.Along < best.Along);
}

// Gathers points into bins of one step along the axis, each
// holding the first and last place of its points and the best of them.
class Bins {
 public:
  explicit Bins(const RowRules& rules)
      : frame_(rules),
        step_(rules.Step),
        perStep_(1 / rules.Step),
        keys_(kFirstBins, kEmpty),
        bins_(kFirstBins) {}

  // Points wait in a small batch and are binned in one tight loop: called for
  // each point, the binning cost as much again in calls and reloaded values.
  void Add(Point p) {
    batch_[batched_++] = p;
    if (batched_ == kBatch) Flush();
  }

  void Flush() {
    // First every place and key (independent of each other), then the bins.
    for (std::size_t i = 0; i < batched_; ++i) {
      placed_[i] = frame_.Place(batch_[i]);
      steps_[i] = placed_[i].Along * perStep_;
    }
    for (std::size_t i = 0; i < batched_; ++i) AddToBin(batch_[i], placed_[i], steps_[i]);
    batched_ = 0;
  }

  // The places, or, when `unbinnable`, nothing: the points need sorting.
  // Flush() first.
  RowPositions Finish(bool& unbinnable) const;

 private:
  void AddToBin(Point p, const Placed& at, double steps) {
    // Infinite or not a number, the place fails this test too.
    if (!(std::fabs(steps) < kFarthestKey)) {
      outOfReach_ = true;
      return;
    }
    acrossFinite_ &= at.Across <= kLargest;
    std::int64_t key = static_cast<std::int64_t>(steps);
    if (static_cast<double>(key) > steps) --key;
    std::size_t i = SlotOf(key);
    if (keys_[i] != key) {
      i = Insert(key, i);
      bins_[i] = Bin{at.Along, at.Along, at.Across, p};
      return;
    }
    Bin& bin = bins_[i];
    bin.First = std::min(bin.First, at.Along);
    bin.Last = std::max(bin.Last, at.Along);
    if (Better(at, BestOf(bin))) {
      bin.BestAcross = at.Across;
      bin.Best = p;
    }
  }

  static constexpr std::size_t kBatch = 256;
  // Beyond this many steps from the origin a place in steps does not fit the key.
  static constexpr double kFarthestKey = 0x1p62;
  static constexpr double kLargest = std::numeric_limits<double>::max();
  static constexpr std::int64_t kEmpty = INT64_MIN;
  static constexpr std::size_t kFirstBins = 1024;

  struct Bin {
    double First = 0, Last = 0;  // the first and last place of its points
    double BestAcross = 0;       // the best point's distance from the line
    Point Best;
  };

  Placed BestOf(const Bin& bin) const { return Placed{frame_.Along(bin.Best), bin.BestAcross}; }

  // Open addressing in a table of a power of two. The keys stand apart from
  // the bins, so that looking for one reads little memory.
  std::size_t SlotOf(std::int64_t key) const {
    const std::size_t mask = keys_.size() - 1;
    std::size_t i =
        static_cast<std::size_t>(static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15u >> 32) &
        mask;
    while (keys_[i] != key && keys_[i] != kEmpty) i = (i + 1) & mask;
    return i;
  }

  // Takes the empty slot `i` for `key` and returns where it is now, after
  // the table grew if it had to.
  std::size_t Insert(std::int64_t key, std::size_t i) {
    if (2 * (used_ + 1) > keys_.size()) {
      std::vector<std::int64_t> oldKeys(keys_.size() * 2, kEmpty);
      std::vector<Bin> oldBins(bins_.size() * 2);
      oldKeys.swap(keys_);
      oldBins.swap(bins_);
      for (std::size_t k = 0; k < oldKeys.size(); ++k) {
        if (oldKeys[k] == kEmpty) continue;
        const std::size_t j = SlotOf(oldKeys[k]);
        keys_[j] = oldKeys[k];
        bins_[j] = oldBins[k];
      }
      i = SlotOf(key);
    }
    keys_[i] = key;
    ++used_;
    return i;
  }

  Frame frame_;
  double step_;
  double perStep_;
  std::vector<std::int64_t> keys_;
  std::vector<Bin> bins_;
  std::size_t used_ = 0;
  Point batch_[kBatch];
  Placed placed_[kBatch];
  double steps_[kBatch];
  std::size_t batched_ = 0;
  bool acrossFinite_ = true;
  // A place too far out for a key, or not a finite number: the points need
  // sorting (which finds which).
  bool outOfReach_ = false;
};

RowPositions Bins::Finish(bool& unbinnable) const {
  unbinnable = outOfReach_;
  if (!acrossFinite_) return RowPositions{{}, false};
  std::vector<const Bin*> filled;
  filled.reserve(used_);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == kEmpty) continue;
    const Bin& bin = bins_[i];
    // Rounding may have let a bin take points a step apart, which may be two places.
    if (bin.Last - bin.First >= step_) unbinnable = true;
    filled.push_back(&bin);
  }
  if (unbinnable) return RowPositions{};
  std::sort(filled.begin(), filled.end(),
            [](const Bin* a, const Bin* b) { return a->First < b->First; });
  RowPositions result;
  for (std::size_t i = 0; i < filled.size();) {
    const Bin* best = filled[i];
    std::size_t next = i + 1;
    for (; next < filled.size() && filled[next]->First - filled[next - 1]->Last < step_; ++next) {
      if (Better(BestOf(*filled[next]), BestOf(*best))) best = filled[next];
    }
    result.MeasurePoints.push_back(best->Best);
    i = next;
  }
  return result;
}

}  // namespace

RowPositions SortRowPositions(const std::vector<Point>& points, const RowRules& rules) {
  const Frame frame(rules);
  struct Entry {
    Placed At;
    Point P;
  };
  std::vector<Entry> entries;
  entries.reserve(points.size());
  for (const Point p : points) {
    const Placed at = frame.Place(p);
    if (!IsFinite(at)) return RowPositions{{}, false};
    entries.push_back(Entry{at, p});
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.At.Along < b.At.Along; });
  RowPositions result;
  for (std::size_t i = 0; i < entries.size();) {
    std::size_t best = i;
    std::size_t next = i + 1;
    for (;
         next < entries.size() && entries[next].At.Along - entries[next - 1].At.Along < rules.Step;
         ++next) {
      if (Better(entries[next].At, entries[best].At)) best = next;
    }
    result.MeasurePoints.push_back(entries[best].P);
    i = next;
  }
  return result;
}

RowPositions FindRowPositions(const DataModel& model, const RowRules& rules) {
  Bins bins(rules);
  ForEachFeaturePoint(model, [&](Point p) { bins.Add(p); });
  bins.Flush();
  bool unbinnable = false;
  RowPositions positions = bins.Finish(unbinnable);
  if (!unbinnable || !positions.AllFinite) return positions;
  std::vector<Point> points;
  ForEachFeaturePoint(model, [&](Point p) { points.push_back(p); });
  return SortRowPositions(points, rules);
}
