// The file guard's check of a catalogue's first bytes.
#include "search/catalogue_header.h"

#include "jet/file_signature.h"

#include <QCoreApplication>

#include <algorithm>
#include <string_view>

namespace bearing {

namespace {

constexpr std::size_t kVersionOffset = 0x14;

bool startsWith(std::span<const unsigned char> bytes, const SignatureBytes& signature) {
    return bytes.size() >= signature.size() &&
           std::equal(signature.begin(), signature.end(), bytes.begin());
}

// ACE files keep the Jet layout but name themselves differently after the
// same four bytes.
bool namesAce(std::span<const unsigned char> bytes) {
    constexpr std::string_view ace = "Standard ACE DB";
    return bytes.size() >= 4 + ace.size() && std::equal(ace.begin(), ace.end(), bytes.begin() + 4);
}

} // namespace

CatalogueHeader checkCatalogueHeader(std::span<const unsigned char> start, std::uint64_t fileSize) {
    if (fileSize == 0)
        return CatalogueHeader::Empty;
    if (namesAce(start))
        return CatalogueHeader::NewerFormat;
    if (!startsWith(start, kWorkingSignature) && !startsWith(start, kAtRestSignature))
        return CatalogueHeader::NotADatabase;
    if (start.size() <= kVersionOffset)
        return CatalogueHeader::Truncated;
    const unsigned version = start[kVersionOffset];
    if (version >= 2)
        return CatalogueHeader::NewerFormat;
    const std::uint64_t pageSize = version == 0 ? 2048 : 4096;
    return fileSize < pageSize ? CatalogueHeader::Truncated : CatalogueHeader::Jet;
}

std::string refusedCatalogueText(CatalogueHeader header, const std::filesystem::path& fullPath,
                                 std::uint64_t fileSize) {
    // Each message whole, so that a translation can order it as its language needs.
    const QString file = QString::fromStdString(fullPath.string());
    const auto text = [&](const char* message) {
        return QCoreApplication::translate("CatalogueHeader", message).arg(file).toStdString();
    };
    switch (header) {
    case CatalogueHeader::Empty:
        return text(QT_TRANSLATE_NOOP("CatalogueHeader",
                                      "文件“%1”是空文件，不是轴承数据库，程序没有改动它。"
                                      "请换上完整的数据库文件 bde.mdb 后再查询。"));
    case CatalogueHeader::NewerFormat:
        return text(QT_TRANSLATE_NOOP(
            "CatalogueHeader",
            "文件“%1”是较新格式（Access 2007 及以后）的数据库，本程序只能读取 Access 97 至 2003 "
            "格式的 .mdb 数据库，程序没有改动它。请在 Access 中将它另存为 Access 2002-2003 格式的 "
            ".mdb 文件后再查询。"));
    case CatalogueHeader::Truncated:
        return QCoreApplication::translate(
                   "CatalogueHeader", "文件“%1”不完整（只有 %2 字节，不足一个数据库页），"
                                      "程序没有改动它。请换上完整的数据库文件 bde.mdb 后再查询。")
            .arg(file, QString::number(fileSize))
            .toStdString();
    case CatalogueHeader::NotADatabase:
    case CatalogueHeader::Jet:
        break;
    }
    return text(QT_TRANSLATE_NOOP("CatalogueHeader", "文件“%1”不是数据库文件，程序没有改动它。"
                                                     "请换上轴承数据库文件 bde.mdb 后再查询。"));
}

} // namespace bearing
