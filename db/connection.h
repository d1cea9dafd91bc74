// The catalogue connection: a connection text naming the provider and the data
// source, and the opened database behind it.
#pragma once

#include "db/content_key.h"
#include "jet/jet_reader.h"
#include "sql/row_order.h"

#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// Connecting failed; the message says why, naming the file.
class ConnectionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Connection {
  public:
    Connection() = default;
    Connection(Connection&&) = default;
    Connection& operator=(Connection&&) = default;
    // Finishes keeping what keepDecodedTables() started.
    ~Connection();

    void setConnectionText(std::string text) { m_text = std::move(text); }
    [[nodiscard]] const std::string& connectionText() const { return m_text; }

    // Values of the connection text's keys (matched ignoring case), without
    // the spaces around them: "Data Source=bde.mdb ;" names "bde.mdb".
    [[nodiscard]] std::string provider() const;
    [[nodiscard]] std::string dataSource() const;

    // Reads the data source and opens it. The file must exist (it is never
    // created) and carry the Jet signature in its first 16 bytes; a file at
    // rest or with any other header is refused as the provider refuses an
    // unrecognised format. Content this process or the cache folder already
    // holds decoded is only fingerprinted, not read into memory or checked
    // again. Connecting an open connection does nothing.
    void connect();
    void disconnect();

    // Starts fingerprinting `file` on other threads, so that the caller can
    // work on it meanwhile (the search run copies the catalogue); the next
    // connect() to that same file takes this fingerprint instead of reading
    // the file again. The fingerprint leaves out the first 16 bytes, so the
    // caller may rewrite those meanwhile, and nothing else.
    void fingerprintAhead(const std::string& file);
    [[nodiscard]] bool connected() const { return m_connected; }

    // The table named `name` ignoring case; nullptr when there is none. Throws
    // ConnectionError when not connected. Tables are decoded once per file
    // content: a search on the same content again (the catalogue is rewritten
    // by every search, but only its first 16 bytes change) reuses them, in
    // this process or, through the user's cache folder, in a later one.
    [[nodiscard]] std::shared_ptr<const Table> table(std::string_view name);

    // Keeps the tables decoded so far, with the orders computed on them, in
    // the cache folder for later processes; writes only what the folder does
    // not hold yet. Never throws: without the cache a search is only slower.
    // Written before returning, so that a search that follows has the
    // processor to itself, or, for a process that only shows the rows and
    // ends, beside it while it does; the destructor waits for that writing.
    // `used`, the order a statement just used on one of the tables, is kept
    // with it even where the statement only sorted its matches: the writing
    // orders every row first, so that the next process on this content
    // filters the order instead of sorting.
    enum class Keeping : std::uint8_t { BeforeReturning, Beside };
    struct UsedOrder {
        const Table* table;
        SortKey key;
    };
    void keepDecodedTables(Keeping keeping = Keeping::BeforeReturning,
                           std::optional<UsedOrder> used = std::nullopt);
    // Waits until what keepDecodedTables() handed over is written.
    void finishKeeping();

    // Decoded tables of the content last connected to, shared by every
    // connection in the process.
    struct DecodedContent {
        ContentKey key;
        std::map<std::string, std::shared_ptr<const Table>> tables;
        // The orders (by slot) the cache folder holds with each table.
        std::map<std::string, std::set<std::size_t>> keptOrders;
    };

  private:
    [[nodiscard]] std::string value(std::string_view key) const;
    void checkCatalogue(const std::string& file) const;
    void checkSignature(const std::string& file, const unsigned char* head, std::size_t size) const;
    void readCatalogue(const std::string& file, FileImage& image) const;
    void openDatabase(FileImage image);

    std::string m_text;
    struct Fingerprint {
        std::string file;
        std::future<ContentKey> key;
    };
    std::optional<Fingerprint> m_ahead;
    std::vector<std::future<void>> m_keeping;
    bool m_connected = false;
    ContentKey m_key;
    std::unique_ptr<JetDatabase> m_database; // only while a table may still need decoding
    std::shared_ptr<DecodedContent> m_content;
};

} // namespace bearing
