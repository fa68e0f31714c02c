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

// Only what follows the settings header: `entities` entity records with
// attribute changes among them, for a file whose header the caller writes.
std::string GenerateEntityLines(std::size_t entities, std::uint64_t seed);
