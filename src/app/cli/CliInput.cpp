#include "CliInput.h"

#include "DiskFiles.h"
#include "TextFiles.h"

#include <iostream>

namespace fenster {

namespace {

// Reads at most limit + 1 bytes, so that an oversized input is noticed
// without being held in full.
bool readBounded(std::istream& stream, QByteArray& bytes)
{
    bytes.clear();
    char buffer[65536];
    while (stream && bytes.size() <= kMaxReadFileBytes) {
        stream.read(buffer, sizeof buffer);
        bytes.append(buffer, qsizetype(stream.gcount()));
    }
    return !stream.bad();
}

} // namespace

std::optional<std::string> ReadCliInput(const std::string& path, CliContext& context)
{
    QByteArray bytes;
    if (path.empty() || path == "-") {
        if (!readBounded(context.in, bytes)) {
            context.err << "fensterdaten-cli: cannot read standard input\n";
            return std::nullopt;
        }
        if (bytes.size() > kMaxReadFileBytes) {
            context.err << "fensterdaten-cli: standard input is larger than " << (kMaxReadFileBytes >> 20)
                        << " MiB and is not a window description\n";
            return std::nullopt;
        }
    } else {
        try {
            bytes = ReadFileBytes(QString::fromStdString(path));
        } catch (const FileError& error) {
            context.err << "fensterdaten-cli: " << error.what() << '\n';
            return std::nullopt;
        }
    }
    return DecodeTextBytes(bytes).toStdString();
}

} // namespace fenster
