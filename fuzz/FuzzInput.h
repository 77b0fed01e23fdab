#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The loaders read files: each input is written to one scratch file, which the target then
// loads by its path.
QString fuzzInputFile(const std::uint8_t *data, std::size_t size);
