// Decoded tables kept between processes: one file per catalogue content and
// table in the user's cache folder, mapped into memory when a later process
// opens the same content, so that only the first process ever decodes it.
#pragma once

#include "db/content_key.h"
#include "sql/table.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace bearing {

// $XDG_CACHE_HOME/bearing-lookup, else ~/.cache/bearing-lookup; empty when
// neither variable names a folder.
[[nodiscard]] std::filesystem::path defaultCacheFolder();

class TableCache {
  public:
    // An empty folder keeps nothing. Entries are the running build's own:
    // another build of the program neither reads nor replaces them.
    explicit TableCache(std::filesystem::path folder);

    // The table as decoded earlier from the content `key`; nullptr when there
    // is no entry or it is not exactly what this program wrote for that
    // content (truncated, damaged, of another format version, or another
    // content's), so that the caller decodes the file instead.
    [[nodiscard]] std::shared_ptr<const Table> load(const ContentKey& key,
                                                    std::string_view tableName) const;

    // Whether the folder holds an entry for some table of the content `key`.
    [[nodiscard]] bool holds(const ContentKey& key) const;

    // Keeps `table`, decoded from the content `key`, with the orders it holds.
    // The entry appears whole or not at all, and entries beyond the newest few
    // are removed. Failing to keep it costs only speed, so nothing is thrown.
    void store(const ContentKey& key, std::string_view tableName, const Table& table) const;

    // Entries kept in the folder; older ones are removed when a new one is stored.
    static constexpr std::size_t kEntriesKept = 4;

  private:
    [[nodiscard]] static std::string contentPrefix(const ContentKey& key);
    [[nodiscard]] std::filesystem::path entryPath(const ContentKey& key,
                                                  std::string_view tableName) const;
    void write(const ContentKey& key, std::string_view tableName, const Table& table) const;
    void prune() const;

    std::filesystem::path m_folder;
};

// The table an entry's bytes hold, when they are a complete, intact entry for
// the content `key` and the table named `tableName` (ignoring case), written
// by this build; nullptr
// otherwise. The table reads the bytes in place: `owner` keeps them alive.
[[nodiscard]] std::shared_ptr<const Table>
tableFromCacheEntry(const unsigned char* bytes, std::size_t size, const ContentKey& key,
                    std::string_view tableName, std::shared_ptr<const void> owner);

// The checksum an entry's bytes must carry, and where it lies, so that a test
// can damage an entry behind its checksum's back.
[[nodiscard]] std::uint64_t cacheEntryChecksum(const unsigned char* bytes, std::size_t size);
inline constexpr std::size_t kCacheChecksumOffset = 16;

} // namespace bearing
