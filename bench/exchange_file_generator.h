#pragma once
// Seeded generator of realistic JWC_TEMP.TXT files, as Jw_cad writes them for
// an external transformation: the settings header, attribute changes every
// few dozen lines, mostly straight lines, and every other kind of entity the
// reader stores. The same seed gives the same bytes on every platform.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

// Writes a file of `entities` entity records (the count the reader puts in
// EntityOrder: a dimension figure counts once, a polyline once per segment).
void GenerateExchangeFile(std::size_t entities, std::uint64_t seed, std::ostream& out);

// The same bytes as one string.
std::string GenerateExchangeText(std::size_t entities, std::uint64_t seed);

// A selection for a whole row of dimensions (t408a.bat): the settings header,
// then `lines` straight lines whose ends all lie on `places` places along
// axis angle 0 (vertical lines of a grid 10.25 apart, their ends anywhere
// across it), with attribute changes among them as in any drawing.
void GenerateRowSelection(std::size_t lines, std::size_t places, std::uint64_t seed,
                          std::ostream& out);

// Only what follows the settings header: `entities` entity records with
// attribute changes among them, for a file whose header the caller writes.
std::string GenerateEntityLines(std::size_t entities, std::uint64_t seed);
