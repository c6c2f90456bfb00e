// kanarinka-bench: the program's figures at the limits of its files, one line each as
// "name value unit". It writes its own files into a temporary folder: a 32,767-word
// dictionary with 32,766 history records, and empty files for comparison.
//   kanarinka-bench [--runs N] [--answers N]
// For profiling a single part:
//   kanarinka-bench --write-files DIR       writes the folders empty/, limit/, learning/ and reviewing/ into DIR
//   kanarinka-bench --startup-once DIR      one start-up in DIR, prints the peak resident MB
//   kanarinka-bench --answers-in DIR [N]    one game in DIR with N learned answers
//   kanarinka-bench --progress-in DIR [N]   opens the progress window in DIR N times
//   kanarinka-bench --calendar-in DIR [N]   shows the calendar of practice from DIR's answer record N times
//   kanarinka-bench --meanings-once DIR     one start-up in DIR with the meanings loaded, prints the peak resident MB
//   kanarinka-bench --review-list-in DIR [N] reads the review list in DIR N times
#include "files/dictionary.h"
#include "files/history.h"
#include "limitfiles.h"
#include "meanings/meanings.h"
#include "platform/kana/kana.h"
#include "platform/text/textfile.h"
#include "progress/answerlog.h"
#include "progress/kanastats.h"
#include "progress/practicedays.h"
#include "progress/record/answerfile.h"
#include "review/gamereview.h"
#include "review/reviewdraw.h"
#include "review/reviewlist.h"
#include "review/schedule.h"
#include "session.h"
#include "ui/aids/wordlist/learnedwords.h"
#include "ui/base/fonts.h"
#include "ui/main/views/wordlist.h"
#include "ui/progress/practicecalendar.h"
#include "ui/progress/progresswindow.h"
#include "ui/review/reviewwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

void print(const char *name, double value, const char *unit, int decimals = 3)
{
    std::printf("%s %.*f %s\n", name, decimals, value, unit);
    std::fflush(stdout);
}

[[noreturn]] void die(const QString &what)
{
    std::fprintf(stderr, "kanarinka-bench: %s\n", qUtf8Printable(what));
    std::exit(1);
}

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const qsizetype i = std::min(values.size() - 1, qsizetype(p * double(values.size())));
    return values[i];
}

double median(const QList<double> &values)
{
    return percentile(values, 0.5);
}

// How long `f` takes, in ms.
template <typename F>
double timeMs(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1e6;
}

// The median of `runs` measurements in ms, after one that warms the caches.
template <typename Measure>
double medianOfRuns(int runs, Measure measure)
{
    measure();
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times.append(measure());
    return median(times);
}

struct StartupTimes {
    double buildMs = 0; // the window built and its events wired
    double loadMs = 0;  // Form_Load until the event loop is idle
};

std::unique_ptr<bench::Session> startIn(const QString &folder, StartupTimes *times = nullptr)
{
    QDir::setCurrent(folder);
    QElapsedTimer timer;
    timer.start();
    auto session = bench::makeSession();
    const double built = timer.nsecsElapsed() / 1e6;
    timer.restart();
    const bool started = session->startUp();
    if (times)
        *times = {built, timer.nsecsElapsed() / 1e6};
    if (!started)
        die(QStringLiteral("start-up stopped in %1: %2").arg(folder, session->messages().join(u'\n')));
    return session;
}

// Medians of `runs` start-ups in a folder, after one run that warms the caches.
StartupTimes startupMs(const QString &folder, int runs)
{
    startIn(folder);
    QList<double> build, load;
    for (int i = 0; i < runs; ++i) {
        StartupTimes t;
        startIn(folder, &t);
        build.append(t.buildMs);
        load.append(t.loadMs);
    }
    return {median(build), median(load)};
}

// The file layer alone, median of `runs`: how much of the limit start-up is reading files.
template <typename Read>
double fileMs(const QString &folder, int runs, Read read)
{
    QDir::setCurrent(folder);
    return medianOfRuns(runs, [&] {
        return timeMs([&] {
            QString error;
            if (!read(error))
                die(error);
        });
    });
}

double gameStartMs(const QString &folder, int runs)
{
    auto session = startIn(folder);
    return medianOfRuns(runs, [&] {
        const double ms = timeMs([&] { session->game().cmdStart_Click(); });
        if (session->game().intJisyoCount != files::kMaxDictionaryWords)
            die(QStringLiteral("the game started with %1 words").arg(session->game().intJisyoCount));
        return ms;
    });
}

// Distinct answers that chain on from `word`: its last kana (small kana as large), a marker
// the dictionary never holds, and the number in kana digits.
QString answerAfter(const QString &word, int n)
{
    static const QString digits = QStringLiteral("あいうえおかきくけこ");
    QString answer(platform::normaliseSmallKana(word.back()));
    answer += u'ゑ';
    do {
        answer += digits[n % 10];
        n /= 10;
    } while (n > 0);
    return answer;
}

// Accepted answers, each new to the dictionary so that it is learned (appended). With
// `reviewList`, the replies are drawn as review practice draws them, from the folder's list.
QList<double> answerTimesMs(const QString &folder, int answers, bool reviewList = false)
{
    auto session = startIn(folder);
    game::Game &game = session->game();
    review::ReviewList list;
    std::optional<review::ReviewDraw> draw;
    if (reviewList) {
        const QString error = list.start(QDateTime::currentDateTime());
        if (!error.isEmpty() || list.size() < files::kMaxDictionaryWords - answers)
            die(QStringLiteral("the review list was not read: %1").arg(error));
        draw.emplace(list, nullptr, progress::practiceDay(QDateTime::currentDateTime()));
        game.setReplyDraw(&*draw);
    }
    game.cmdStart_Click();
    for (int tick = 0; tick < 3; ++tick)
        game.tmrStart_Timer();
    if (!game.blnPlaying)
        die(QStringLiteral("the game did not start: %1").arg(session->messages().join(u'\n')));

    QList<double> times;
    for (int i = 0; i < answers; ++i) {
        session->setAnswer(answerAfter(session->currentWord(), i));
        quint16 key = 13;
        QElapsedTimer timer;
        timer.start();
        game.txtKaitou_KeyPress(key);
        times.append(timer.nsecsElapsed() / 1e6);
        if (game.intOk != i + 1 || game.intNewWords != i + 1)
            die(QStringLiteral("answer %1 was not accepted and learned: %2").arg(i + 1).arg(session->messages().join(u'\n')));
    }
    return times;
}

// Reading a full review list as the window does after start-up, and its words in their order.
double reviewListReadMs(const QString &folder, int runs)
{
    return fileMs(folder, runs, [](QString &error) {
        review::ReviewList list;
        error = list.start(QDateTime::currentDateTime());
        return error.isEmpty() && list.size() == files::kMaxDictionaryWords;
    });
}

// What the end of a game does with a full review list: the words the computer said counted,
// the player's answers and misses graded, the lines appended and today's words counted. A game
// of 30 answers, each a word of the list, the slower half graded hard, and 3 mistakes, at each
// of which the list's words are put to the rules. Median of `runs`, each a game later than the
// one before.
double reviewScheduleMs(const QString &folder, int runs)
{
    QDir::setCurrent(folder);
    review::ReviewList list;
    QDateTime now = QDateTime::currentDateTime();
    QString error = list.start(now);
    const QList<review::ReviewWord> words = list.words();
    if (!error.isEmpty() || words.size() != files::kMaxDictionaryWords)
        die(QStringLiteral("the review list was not read: %1").arg(error));
    int game = 0;
    return medianOfRuns(runs, [&] {
        review::PlayGrades grades;
        grades.gameStarted();
        QStringList said;
        QList<review::ReviewMoment> moments;
        for (int i = 0; i < 30; ++i) {
            const QString &word = words[(game * 97 + i * 1009) % words.size()].word;
            if (i % 10 == 5)
                moments.append(
                    {review::ReviewMoment::Kind::Mistake, said.value(said.size() - 1, word), u"ゑゑ"_qs, 900, said});
            grades.answerRecorded({{}, word.front(), word, game::AnswerVerdict::Accepted, 500 + 100 * i, 900, {}});
            said << word << word;
        }
        ++game;
        now = now.addSecs(3600);
        return timeMs([&] {
            const auto usual = [](QChar) { return std::optional<qint64>(2000); };
            error = list.met(said, now);
            if (error.isEmpty())
                error = list.grade(grades.grades(list, moments, usual), now);
            if (!error.isEmpty() || list.dueCount(progress::practiceDay(now)) < 0)
                die(error);
        });
    });
}

// Opening the progress window on the saved games start-up read and on the answer record,
// until it is painted; median of `runs`, after one that warms the caches.
double progressOpenMs(const QString &folder, int runs)
{
    auto session = startIn(folder);
    return medianOfRuns(runs, [&] {
        return timeMs([&] {
            progress::AnswerLog answers; // read anew each run, as a new session reads it
            ui::ProgressWindow window(session->game().history(), answers);
            window.refresh();
            window.show();
            bench::runUntilIdle();
        });
    });
}

// The calendar of practice from the record as the progress window first shows it: the record
// read and folded (with the other figures, in the same pass) and the calendar painted, its 26
// weeks ending on the record's last day.
double calendarOpenMs(const QString &folder, QDate lastDay, int runs)
{
    QDir::setCurrent(folder);
    return medianOfRuns(runs, [&] {
        return timeMs([&] {
            progress::AnswerLog answers;
            ui::PracticeCalendar calendar;
            calendar.setDays(answers.days(), lastDay, 10);
            if (answers.days().day(lastDay).games == 0)
                die(QStringLiteral("no game on the record's last day"));
            calendar.grab();
        });
    });
}

// Forgetting a word of the limit dictionary once the player has confirmed: the list's words
// tallied, the file read, checked and rewritten, the row taken out and the caption set. Each
// run starts from the full file; median of `runs`.
double forgetMs(const QString &folder, int runs)
{
    struct Confirming : platform::MessageBoxes {
        QStringList shown;
        platform::MessageResult show(const QString &prompt, const QString &, platform::MessageIcon,
                                     platform::MessageButtons) override
        {
            shown.append(prompt);
            return platform::MessageResult::Ok;
        }
    };
    const QString file = QDir(folder).filePath(files::kDictionaryFile);
    QByteArray full;
    QString error;
    if (!platform::readFileBytes(file, full, error))
        die(error);
    return medianOfRuns(runs, [&] {
        auto session = startIn(folder);
        const ui::AidedControls controls = session->window().aidedControls();
        ui::WordList *list = controls.learned;
        Confirming boxes;
        const game::Phase idle;
        ui::LearnedWords learned(*list, *controls.learnedFrame, session->game().dictionary(), idle, boxes);
        const QString word = list->item(list->count() / 2);
        bool forgotten = false;
        const double ms = timeMs([&] { forgotten = learned.forget(word); });
        if (!forgotten || list->count() != files::kMaxDictionaryWords - 1)
            die(QStringLiteral("「%1」 was not forgotten: %2").arg(word, boxes.shown.join(u'\n')));
        if (!platform::rewriteFileBytes(file, full, error))
            die(error);
        return ms;
    });
}

// The meanings index built on its worker thread, from asking to the ready signal.
double meaningsIndexMs(meanings::Meanings &meanings)
{
    QEventLoop loop;
    QObject::connect(&meanings, &meanings::Meanings::ready, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    meanings.load();
    loop.exec();
    if (meanings.state() != meanings::MeaningsIndex::State::Ready)
        die(QStringLiteral("the meanings in %1 were not read").arg(meanings.fileName()));
    return timer.nsecsElapsed() / 1e6;
}

// One lookup, in µs: readings with many lines, a few, none.
double meaningsLookupUs(const meanings::MeaningsIndex &index, int runs)
{
    const QStringList readings{u"きょうか"_qs,   u"こう"_qs,     u"りんご"_qs,   u"てれび"_qs, u"さくら"_qs,
                               u"かんじ"_qs,     u"しりとり"_qs, u"ごりら"_qs,   u"らっぱ"_qs, u"ぱんだ"_qs,
                               u"ぬいぐるみ"_qs, u"みかん"_qs,   u"ゑあいう"_qs, u"ほんや"_qs, u"きしゃ"_qs};
    return medianOfRuns(runs, [&] {
        qsizetype found = 0;
        const double ms = timeMs([&] {
            for (int round = 0; round < 20; ++round)
                for (const QString &reading : readings)
                    found += index.lookup(reading).size();
        });
        if (found == 0)
            die(QStringLiteral("no meaning was found"));
        return ms * 1000 / (20 * readings.size());
    });
}

// The review of a game in the limit folder with two broken chains and a long stall: the words
// that would have served at each moment, ranked by their meanings, out of 32,767 words, shown
// in the ふりかえり window until it is painted.
double reviewOpenMs(const QString &folder, const meanings::Meanings &meanings, int runs)
{
    auto session = startIn(folder);
    game::Game &game = session->game();
    game::Phase phase;
    review::GameReview review(phase);
    game::GameEventsList events;
    events.add(&phase);
    events.add(&review);
    game.setEvents(&events);
    game.cmdStart_Click();
    for (int tick = 0; tick < 3; ++tick)
        game.tmrStart_Timer();
    quint16 key = 13;
    for (int i = 0; i < 10; ++i) {
        const bool broken = i == 3 || i == 7;
        session->setAnswer(broken ? QStringLiteral("ゑゑ") : answerAfter(session->currentWord(), i));
        game::AnswerCheck check;
        review.answerChecked(check);
        review.answerRecorded({{},
                               {},
                               session->currentWord(),
                               broken ? game::AnswerVerdict::BrokenChain : game::AnswerVerdict::Accepted,
                               i == 5 ? 9000 : 500,
                               100,
                               {}});
        key = 13;
        game.txtKaitou_KeyPress(key);
    }
    game.setEvents(nullptr);
    review.gameEnded({});
    return medianOfRuns(runs, [&] {
        qsizetype suggested = 0;
        const double ms = timeMs([&] {
            const auto rank = [&](const QString &w) { return meanings.rank(w); };
            const QList<review::ReviewEntry> entries = review.entries(game.strJisyo, rank);
            for (const review::ReviewEntry &entry : entries)
                suggested += entry.words.size();
            ui::ReviewWindow window(meanings);
            window.showReview(entries, true);
            window.show();
            bench::runUntilIdle();
        });
        if (review.moments().size() != 3 || suggested == 0)
            die(QStringLiteral("the review found %1 moments").arg(review.moments().size()));
        return ms;
    });
}

// Peak resident memory of this process, in MB; negative where the system does not say.
double peakRssMb()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
#endif
    return -1;
}

struct ProcessRun {
    double wallMs = 0; // from starting the program to its window idle
    double rssMb = 0;  // peak resident memory by then
};

// A whole program start in a process of its own, as the player sees it: loading the
// libraries, the fonts, building the window and Form_Load. Medians of `runs`.
ProcessRun startupInProcess(const QString &folder, int runs, const char *how = "--startup-once")
{
    QList<double> walls, rss;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(how), folder});
        while (!child.canReadLine() && child.waitForReadyRead(600000)) {
        }
        walls.append(timer.nsecsElapsed() / 1e6);
        rss.append(child.readLine().trimmed().toDouble());
        if (!child.waitForFinished(600000) || child.exitCode() != 0)
            die(QStringLiteral("the start-up run failed: %1").arg(QString::fromLocal8Bit(child.readAllStandardError())));
    }
    return {median(walls), median(rss)};
}

constexpr int kAnswerRecordLines = 100'000;

int intOption(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::useJapaneseFonts();
    const QStringList args = app.arguments();

    if (args.value(1) == u"--startup-once") {
        auto session = startIn(args.value(2));
        std::printf("%.1f\n", peakRssMb());
        std::fflush(stdout);
        return 0;
    }
    if (args.value(1) == u"--meanings-once") {
        auto session = startIn(args.value(2));
        meanings::Meanings meanings;
        meaningsIndexMs(meanings);
        std::printf("%.1f\n", peakRssMb());
        std::fflush(stdout);
        return 0;
    }
    if (args.value(1) == u"--answers-in") {
        const QList<double> times = answerTimesMs(args.value(2), args.value(3, QStringLiteral("1000")).toInt());
        print("answer_p99", percentile(times, 0.99), "ms", 4);
        return 0;
    }
    if (args.value(1) == u"--calendar-in") {
        QDir::setCurrent(args.value(2));
        QString last, error;
        int badLines = 0;
        progress::AnswerFile().read([&last](const progress::AnswerRow &row) { last = row.game; }, badLines, error);
        const std::optional<progress::WallTime> lastGame = progress::readWallTime(last);
        if (!lastGame)
            die(QStringLiteral("no answer record in %1 %2").arg(args.value(2), error));
        print("calendar_open",
              calendarOpenMs(args.value(2), progress::practiceDay(*lastGame), args.value(3, QStringLiteral("5")).toInt()),
              "ms");
        return 0;
    }
    if (args.value(1) == u"--review-list-in") {
        print("review_list_read", reviewListReadMs(args.value(2), args.value(3, QStringLiteral("5")).toInt()), "ms");
        return 0;
    }
    if (args.value(1) == u"--progress-in") {
        print("progress_open", progressOpenMs(args.value(2), args.value(3, QStringLiteral("5")).toInt()), "ms");
        return 0;
    }
    const int runs = std::max(1, intOption(args, QStringLiteral("--runs"), 7));
    const int answers = std::clamp(intOption(args, QStringLiteral("--answers"), 1000), 1, 30000);

    const bool onlyWrite = args.value(1) == u"--write-files";
    QTemporaryDir tmp;
    if (!onlyWrite && !tmp.isValid())
        die(QStringLiteral("no temporary folder: %1").arg(tmp.errorString()));
    const QDir base(onlyWrite ? args.value(2) : tmp.path());
    const QString empty = base.filePath(QStringLiteral("empty"));
    const QString limit = base.filePath(QStringLiteral("limit"));
    const QString learning = base.filePath(QStringLiteral("learning"));
    const QString reviewing = base.filePath(QStringLiteral("reviewing"));
    bench::writeFolder(empty, 0, 0);
    bench::writeFolder(limit, files::kMaxDictionaryWords, files::kMaxHistoryRecords);
    const QDate lastDay = progress::practiceDay(bench::writeAnswerRecord(limit, kAnswerRecordLines));
    // Room for every answer to be learned, so the dictionary is full after the last one.
    bench::writeFolder(learning, files::kMaxDictionaryWords - answers, 0);
    bench::writeReviewList(limit, files::kMaxDictionaryWords);
    // The same with every word on the review list.
    bench::writeFolder(reviewing, files::kMaxDictionaryWords - answers, 0);
    bench::writeReviewList(reviewing, files::kMaxDictionaryWords - answers);
    if (onlyWrite)
        return 0;

    std::printf("# measured on %s\n", qUtf8Printable(bench::makeSession()->description()));
    const StartupTimes startEmpty = startupMs(empty, runs);
    const StartupTimes startLimit = startupMs(limit, runs);
    print("window_build", startEmpty.buildMs, "ms");
    print("startup_empty", startEmpty.loadMs, "ms");
    print("startup_limit", startLimit.loadMs, "ms");
    print("startup_ratio", startLimit.loadMs / startEmpty.loadMs, "x", 2);
    print("history_decode_limit",
          fileMs(limit, runs,
                 [](QString &error) {
                     QString text;
                     return platform::readTextFile(files::kHistoryFile, text, error);
                 }),
          "ms");
    print("history_read_limit",
          fileMs(limit, runs,
                 [](QString &error) {
                     files::History history;
                     return history.read(files::kHistoryFile, error);
                 }),
          "ms");
    print("dictionary_read_limit",
          fileMs(limit, runs,
                 [](QString &error) {
                     platform::TextItems words;
                     return files::readDictionaryWords(files::kDictionaryFile, words, error);
                 }),
          "ms");
    print("answer_record_read_100k",
          fileMs(limit, runs,
                 [](QString &error) {
                     // As the window and the aimed replies read it: folded, no row kept.
                     progress::KanaStats stats;
                     int rows = 0, badLines = 0;
                     const auto state =
                         progress::AnswerFile().read([&](const progress::AnswerRow &row) { stats.add(row), ++rows; },
                                                     badLines, error);
                     return state == progress::AnswerFile::State::Ready && rows == kAnswerRecordLines;
                 }),
          "ms");
    print("calendar_open_100k", calendarOpenMs(limit, lastDay, runs), "ms");
    print("progress_open_limit", progressOpenMs(limit, runs), "ms");
    print("game_start", gameStartMs(limit, std::max(runs, 20)), "ms");
    const QList<double> times = answerTimesMs(learning, answers);
    print("answer_median", median(times), "ms", 4);
    print("answer_p99", percentile(times, 0.99), "ms", 4);
    print("answer_p99_review_list", percentile(answerTimesMs(reviewing, answers, true), 0.99), "ms", 4);
    print("review_list_read_limit", reviewListReadMs(limit, runs), "ms");
    // After the read: each run appends to the list.
    print("review_schedule_limit", reviewScheduleMs(limit, runs), "ms");
    // After the answers: its rewrites, synced to disk, would slow the appends measured there.
    print("forget_limit", forgetMs(limit, runs), "ms");
    const ProcessRun processEmpty = startupInProcess(empty, runs);
    const ProcessRun processLimit = startupInProcess(limit, runs);
    print("process_startup_empty", processEmpty.wallMs, "ms");
    print("process_startup_limit", processLimit.wallMs, "ms");
    print("process_startup_ratio", processLimit.wallMs / processEmpty.wallMs, "x", 2);
    // Peak memory is read from /proc on Linux; elsewhere it is not known.
    if (processLimit.rssMb >= 0) {
        print("peak_rss_startup_empty", processEmpty.rssMb, "MB", 1);
        print("peak_rss_startup_limit", processLimit.rssMb, "MB", 1);
    }
    meanings::Meanings meanings;
    if (!QFile::exists(meanings.fileName())) {
        std::printf("# no %s: the meanings' figures are left out\n", qUtf8Printable(meanings.fileName()));
    } else {
        print("meanings_index_ms",
              medianOfRuns(std::min(runs, 3),
                           [] {
                               meanings::Meanings fresh;
                               return meaningsIndexMs(fresh);
                           }),
              "ms");
        meaningsIndexMs(meanings);
        print("meanings_lookup_us", meaningsLookupUs(meanings::MeaningsIndex(meanings.fileName()), runs), "us");
        print("review_open_ms", reviewOpenMs(limit, meanings, runs), "ms");
        const ProcessRun withMeanings = startupInProcess(limit, runs, "--meanings-once");
        if (withMeanings.rssMb >= 0) {
            print("peak_rss_meanings_limit", withMeanings.rssMb, "MB", 1);
            print("peak_rss_meanings_extra", withMeanings.rssMb - processLimit.rssMb, "MB", 1);
        }
    }
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
