// Build-time tool: runs SQL scripts into a fresh SQLite file.
//   varn-mkdb OUTPUT USER_VERSION SCRIPT...
// The user version tells the blank images apart; the output is rebuilt from
// scratch so the same scripts always give the same bytes.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

static bool runScript(sqlite3 *db, const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "varn-mkdb: cannot read %s\n", path);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    char *error = nullptr;
    if (sqlite3_exec(db, text.str().c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "varn-mkdb: %s: %s\n", path, error ? error : "unknown error");
        sqlite3_free(error);
        return false;
    }
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: varn-mkdb OUTPUT USER_VERSION SCRIPT...\n");
        return 2;
    }
    const std::string output = argv[1];
    const std::string temporary = output + ".tmp";
    std::remove(temporary.c_str());

    sqlite3 *db = nullptr;
    if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "varn-mkdb: cannot create %s\n", temporary.c_str());
        return 1;
    }
    bool ok = sqlite3_exec(db, "PRAGMA page_size = 4096; PRAGMA journal_mode = DELETE;", nullptr,
                           nullptr, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (int i = 3; ok && i < argc; ++i)
        ok = runScript(db, argv[i]);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    const std::string version = "PRAGMA user_version = " + std::to_string(std::atoi(argv[2]));
    ok = ok && sqlite3_exec(db, version.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    ok = ok && sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    if (!ok || std::rename(temporary.c_str(), output.c_str()) != 0) {
        std::remove(temporary.c_str());
        std::fprintf(stderr, "varn-mkdb: failed to build %s\n", output.c_str());
        return 1;
    }
    return 0;
}
