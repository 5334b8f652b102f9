// Ticks that come due together share one check of each INI file on disk; the next second's ticks
// check again, so an edit by hand is not missed.
#include <QTest>
#include <QTimer>
#include <fstream>

#include "gui/qt/tick_batch.h"
#include "platform/linux/posix_file_access.h"
#include "support/temp_dir.h"

using namespace quorell;

namespace {

// The real file access, counting how often a file's identity is asked for.
class CountingFileAccess final : public FileAccess {
public:
    explicit CountingFileAccess(int& identifications) : identifications_(identifications) {}
    FileSnapshot Read(const std::filesystem::path& file) override { return real_.Read(file); }
    std::optional<FileIdentity> Identify(const std::filesystem::path& file) override {
        ++identifications_;
        return real_.Identify(file);
    }
    bool Replace(const std::filesystem::path& file, std::string_view bytes) override {
        return real_.Replace(file, bytes);
    }

private:
    int& identifications_;
    PosixFileAccess real_;
};

// A parsed copy is kept only of a file that has not changed for a moment (timestamp granularity).
constexpr int kSettle = 80;

}  // namespace

class TickBatchTest : public QObject {
    Q_OBJECT

private slots:
    void ticksDueTogetherCheckEachFileOnceAndTheNextTicksCheckAgain() {
        testing::TempDir dir;
        const auto file = dir.File("Cpu.FDB");
        std::ofstream(file) << "[a]\r\nk=1\r\n";
        QTest::qWait(kSettle);
        int identifications = 0;
        IniStore store(std::make_unique<CountingFileAccess>(identifications));
        QCOMPARE(store.Read(file, "a", "k"), std::string("1"));  // parsed once, outside any batch
        gui::TickBatch batch(store);

        auto tick = [&] {
            batch.Join();
            return store.Read(file, "a", "k");
        };
        identifications = 0;
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(identifications, 1);
        QVERIFY(batch.Open());

        // Once the loop has run, the batch is over and an edit by hand shows at the next tick.
        QCoreApplication::processEvents();
        QVERIFY(!batch.Open());
        QTest::qWait(kSettle);
        std::ofstream(file, std::ios::trunc) << "[a]\r\nk=22\r\n";
        QCOMPARE(tick(), std::string("22"));
    }

    void aBatchStillOpenWhenItEndsClosesItsEvent() {
        testing::TempDir dir;
        const auto file = dir.File("x.ini");
        std::ofstream(file) << "[a]\r\nk=1\r\n";
        QTest::qWait(kSettle);
        int identifications = 0;
        IniStore store(std::make_unique<CountingFileAccess>(identifications));
        store.Read(file, "a", "k");
        {
            gui::TickBatch batch(store);
            batch.Join();
        }
        identifications = 0;
        store.Read(file, "a", "k");
        store.Read(file, "a", "k");
        QCOMPARE(identifications, 2);  // no event left open: every read checks
    }
};

QTEST_GUILESS_MAIN(TickBatchTest)
#include "tick_batch_test.moc"
