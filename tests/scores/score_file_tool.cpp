// Runs one score-file operation in a separate process, for the tests that need
// another user (root ignores file permissions), a process that can be killed,
// or a second copy of the game.
//
//   score_file_tool [--drop-root] load PATH
//   score_file_tool [--drop-root] record PATH SCORE HITS NAME
//   score_file_tool [--drop-root] recordfor EXEDIR DATADIR SCORE HITS NAME
//                                        records where a game in EXEDIR keeps its table
//   score_file_tool saveloop PATH        saves two tables alternately until killed
//   score_file_tool recordmany PATH FIRST STEP COUNT NAME
//                                        records the scores FIRST, FIRST+STEP, ...
//   score_file_tool loadwait PATH SCORE HITS NAME
//                                        loads, prints "loaded", waits for a line
//                                        on stdin, then records (a game-over dialog)
//   score_file_tool holdlock PATH        takes the file's lock, prints "locked",
//                                        and holds it until killed
//   score_file_tool loadself             loads the table where the game would find
//                                        it for this executable; prints its path
//
// PATH is taken as bytes, as the system gives it.
//
// Prints "status <code>", the message, and the table's scores after the call;
// load adds "damaged 0" or "damaged 1" and "first NAME", the first place's name.
// Exit code 0 ok, 1 the operation failed, 2 usage, 3 could not drop root.

#include "scores/RecordScore.h"
#include "scores/ScoreFile.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <grp.h>
#include <unistd.h>

namespace {

void print(const ScoreFileStatus& s, const ScoreTable& t)
{
    std::printf("status %d\n%s\n", static_cast<int>(s.code), s.message.toUtf8().constData());
    std::printf("table %d %d %d\n", t.entries[0].score, t.entries[1].score, t.entries[2].score);
}

bool DropRoot()
{
    if (geteuid() != 0)
        return true;
    const gid_t nobody = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0
        && geteuid() != 0;
}

} // namespace

int main(int argc, char** argv)
{
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--drop-root") == 0) {
        if (!DropRoot())
            return 3;
        ++i;
    }
    if (argc - i == 1 && std::strcmp(argv[i], "loadself") == 0) {
        QCoreApplication app(argc, argv);
        const ScoreFileLocation where = locateScoreFile();
        ScoreTable table;
        const ScoreFileStatus s = LoadScoreTable(table, where);
        std::printf("path %s\n", shownPath(where.file).toUtf8().constData());
        print(s, table);
        return s.ok() ? 0 : 1;
    }
    if (argc - i < 2)
        return 2;
    const QString cmd = QString::fromLocal8Bit(argv[i]);
    const ScoreFileLocation path = ScoreFileLocation::fromBytes(argv[i + 1]);

    // A table that is already in memory, as in the game-over dialog.
    ScoreTable table;
    table.entries[0].score = 7;
    table.entries[1].score = 6;
    table.entries[2].score = 5;

    if (cmd == QLatin1String("load")) {
        const ScoreFileStatus s = LoadScoreTable(table, path);
        print(s, table);
        std::printf("damaged %d\n", s.damaged ? 1 : 0);
        std::printf("first %s\n", table.entries[0].name.text().toUtf8().constData());
        return s.ok() ? 0 : 1;
    }
    const bool located = cmd == QLatin1String("recordfor") && argc - i == 6;
    if ((cmd == QLatin1String("record") && argc - i == 5) || located) {
        const int at = i + (located ? 3 : 2);
        const ScoreFileStatus s = RecordScore(std::atof(argv[at]), std::atoi(argv[at + 1]),
                                              QString::fromUtf8(argv[at + 2]), table,
                                              located ? locateScoreFile(QByteArray(argv[i + 1]), QByteArray(argv[i + 2])) : path);
        print(s, table);
        return s.ok() ? 0 : 1;
    }
    if (cmd == QLatin1String("saveloop")) {
        // Two records of the same length, so the file is always exactly one of them.
        ScoreTable a, b;
        a.entries[0].score = 111, a.entries[0].name = ScoreName::fromText(QStringLiteral("AAAA"));
        b.entries[0].score = 222, b.entries[0].name = ScoreName::fromText(QStringLiteral("BBBB"));
        std::printf("started\n");
        std::fflush(stdout);
        for (unsigned n = 0;; ++n) {
            if (!SaveScoreTable(n % 2 ? b : a, path).ok())
                return 1;
        }
    }
    if (cmd == QLatin1String("recordmany") && argc - i == 6) {
        ScoreTable mine;
        const int first = std::atoi(argv[i + 2]), step = std::atoi(argv[i + 3]);
        const int count = std::atoi(argv[i + 4]);
        const QString name = QString::fromUtf8(argv[i + 5]);
        for (int n = 0; n < count; ++n) {
            const ScoreFileStatus s = RecordScore(first + n * step, n, name, mine, path);
            if (!s.ok()) {
                print(s, mine);
                return 1;
            }
        }
        print({}, mine);
        return 0;
    }
    if (cmd == QLatin1String("loadwait") && argc - i == 5) {
        ScoreTable loaded;
        const ScoreFileStatus l = LoadScoreTable(loaded, path);
        std::printf("loaded %d\n", l.ok() ? loaded.entries[0].score : -1);
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        const ScoreFileStatus s = RecordScore(std::atof(argv[i + 2]), std::atoi(argv[i + 3]),
                                              QString::fromUtf8(argv[i + 4]), loaded, path);
        print(s, loaded);
        return s.ok() ? 0 : 1;
    }
    if (cmd == QLatin1String("holdlock")) {
        QLockFile lock(path.path + QStringLiteral(".lock"));
        if (!lock.tryLock(10000))
            return 1;
        std::printf("locked\n");
        std::fflush(stdout);
        for (;;)
            pause();
    }
    return 2;
}
