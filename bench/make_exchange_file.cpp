// make_exchange_file <entities> <seed> <out> [<places>]: writes a generated
// JWC_TEMP.TXT; with <places>, a selection of <entities> straight lines whose
// ends lie on that many places along the axis, for the whole row (/a).
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/exchange_file_generator.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: make_exchange_file <entities> <seed> <out> [<places>]\n");
    return 2;
  }
  const std::size_t entities = std::strtoull(argv[1], nullptr, 10);
  const std::uint64_t seed = std::strtoull(argv[2], nullptr, 10);
  std::ofstream out(argv[3], std::ios::binary);
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  if (argc == 5) {
    GenerateRowSelection(entities, std::strtoull(argv[4], nullptr, 10), seed, out);
  } else {
    GenerateExchangeFile(entities, seed, out);
  }
  out.close();
  if (!out) {
    std::fprintf(stderr, "writing %s failed\n", argv[3]);
    return 1;
  }
  return 0;
}
