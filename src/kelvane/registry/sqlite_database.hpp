// A connection to an SQLite database file and its statements, with errors as FatalError: the
// little of SQLite the registry needs, in one place. Writes go in one transaction taken before
// anything is read (BEGIN IMMEDIATE), so that concurrent writers run one after another, each
// seeing what the one before it committed, and a process killed mid-write leaves the file as
// it was (SQLite rolls the journal back at the next open).
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kelvane {

class SqliteDatabase;

// A prepared statement: bind its parameters (from 1), step through its rows, read their columns
// (from 0); reset to run it again.
class SqliteStatement {
  public:
    SqliteStatement(SqliteDatabase& database, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, int64_t value);
    SqliteStatement& bind(int index, double value);
    SqliteStatement& bind(int index, const std::string& value);
    SqliteStatement& bind_null(int index);

    // Whether a row came; false when the statement is done.
    bool step();
    // Runs a statement that returns no row, then resets it for the next run.
    void run();
    void reset();

    int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    bool null(int column) const;

  private:
    SqliteDatabase& database_;
    sqlite3_stmt* statement_ = nullptr;
};

class SqliteDatabase {
  public:
    enum class Open { kRead, kWriteOrCreate };

    // Opens the file. kRead requires an existing file and never creates one. A file that is not
    // an SQLite database is a FatalError of kind kFile when first read. waiting: called once the
    // first time a statement must wait for another connection's lock, which it then waits for.
    SqliteDatabase(const std::string& file, Open open, std::function<void()> waiting = nullptr);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Statements without parameters or rows, one or more separated by semicolons.
    void execute(const std::string& sql);

    // The one value of a query of one row and column, or nothing when it gives no row.
    std::optional<int64_t> integer_of(const std::string& sql);

    // A transaction that writes (BEGIN IMMEDIATE: the write lock before any read), or reads
    // (BEGIN: one consistent view); rolled back unless committed.
    class Transaction {
      public:
        Transaction(SqliteDatabase& database, bool writes);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void commit();

      private:
        SqliteDatabase& database_;
        bool open_ = true;
    };

    // A FatalError of the database's last failure, naming the file.
    [[noreturn]] void fail(const std::string& doing) const;
    const std::string& file() const { return file_; }
    sqlite3* handle() { return handle_; }

  private:
    static int on_busy(void* self, int attempts);

    std::string file_;
    sqlite3* handle_ = nullptr;
    std::function<void()> waiting_;
    bool told_ = false;
};

}  // namespace kelvane
