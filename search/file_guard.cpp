// The catalogue file guard.
#include "search/file_guard.h"

#include "jet/file_signature.h"
#include "search/catalogue_header.h"

namespace bearing {

namespace {

void requireJet(const std::filesystem::path& file, const FileStart& start) {
    const CatalogueHeader header = start.regular ? checkCatalogueHeader(start.bytes, start.size)
                                                 : CatalogueHeader::NotADatabase;
    if (header == CatalogueHeader::Jet)
        return;
    std::error_code ec;
    throw NotACatalogueError(
        refusedCatalogueText(header, std::filesystem::absolute(file, ec), start.size));
}

void writeSignature(const std::filesystem::path& file, const SignatureBytes& signature) {
    (void)overwriteFileStart(file, signature.data(), signature.size(), kCatalogueHeaderBytes,
                             [&](const FileStart& start) { requireJet(file, start); });
}

} // namespace

void requireCatalogue(const std::filesystem::path& file) {
    if (const auto start = readFileStart(file, kCatalogueHeaderBytes))
        requireJet(file, *start);
}

void UnsealDatabase(const std::filesystem::path& file) {
    writeSignature(file, kWorkingSignature);
}

void SealDatabase(const std::filesystem::path& file) {
    writeSignature(file, kAtRestSignature);
}

} // namespace bearing
