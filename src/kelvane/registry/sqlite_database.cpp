// SQLite connections and statements with errors as FatalError.
#include "kelvane/registry/sqlite_database.hpp"

#include <filesystem>

#include "common/core/fatal_error.hpp"

namespace kelvane {

SqliteStatement::SqliteStatement(SqliteDatabase& database, const std::string& sql)
    : database_(database) {
    if (sqlite3_prepare_v2(database.handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
        database.fail("reading");
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::bind(int index, int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::string& value) {
    sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::bind_null(int index) {
    sqlite3_bind_null(statement_, index);
    return *this;
}

bool SqliteStatement::step() {
    const int status = sqlite3_step(statement_);
    if (status == SQLITE_ROW) {
        return true;
    }
    if (status != SQLITE_DONE) {
        database_.fail("writing");
    }
    return false;
}

void SqliteStatement::run() {
    step();
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string SqliteStatement::text(int column) const {
    const auto* chars = sqlite3_column_text(statement_, column);
    return chars == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(chars),
                             static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

bool SqliteStatement::null(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

SqliteDatabase::SqliteDatabase(const std::string& file, Open open, std::function<void()> waiting)
    : file_(file), waiting_(std::move(waiting)) {
    const int flags =
        open == Open::kRead ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(file.c_str(), &handle_, flags, nullptr) != SQLITE_OK) {
        if (handle_ == nullptr) {
            throw clonal::FatalError("cannot open the registry: out of memory",
                                     clonal::ErrorKind::kMemory);
        }
        fail("opening");
    }
    sqlite3_busy_handler(handle_, &SqliteDatabase::on_busy, this);
    // Every table the registry makes refers to others; SQLite checks those links only when asked.
    execute("PRAGMA foreign_keys = ON");
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close_v2(handle_);
}

int SqliteDatabase::on_busy(void* self, int /*attempts*/) {
    auto* database = static_cast<SqliteDatabase*>(self);
    if (!database->told_ && database->waiting_) {
        database->told_ = true;
        database->waiting_();
    }
    sqlite3_sleep(20);
    return 1;  // wait on: the other writer ends or its process dies, and the lock with it
}

void SqliteDatabase::execute(const std::string& sql) {
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("writing");
    }
}

std::optional<int64_t> SqliteDatabase::integer_of(const std::string& sql) {
    SqliteStatement query(*this, sql);
    if (!query.step() || query.null(0)) {
        return std::nullopt;
    }
    return query.integer(0);
}

void SqliteDatabase::fail(const std::string& doing) const {
    const int code = sqlite3_extended_errcode(handle_) & 0xff;
    const std::string message = sqlite3_errmsg(handle_);
    if (code == SQLITE_NOTADB) {
        throw clonal::FatalError("is not a registry: not an SQLite database file",
                                 clonal::ErrorKind::kFile)
            .in_file(file_);
    }
    if (code == SQLITE_NOMEM) {
        throw clonal::FatalError("out of memory " + doing + " the registry",
                                 clonal::ErrorKind::kMemory)
            .in_file(file_);
    }
    throw clonal::FatalError(doing + " the registry failed: " + message, clonal::ErrorKind::kFile)
        .in_file(file_);
}

SqliteDatabase::Transaction::Transaction(SqliteDatabase& database, bool writes)
    : database_(database) {
    database.execute(writes ? "BEGIN IMMEDIATE" : "BEGIN");
}

SqliteDatabase::Transaction::~Transaction() {
    if (open_) {
        sqlite3_exec(database_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void SqliteDatabase::Transaction::commit() {
    database_.execute("COMMIT");
    open_ = false;
}

}  // namespace kelvane
