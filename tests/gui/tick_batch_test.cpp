// Ticks that come due together share one check of each INI file on disk; the next second's ticks
// check again, so an edit by hand is not missed.
#include <QTest>
#include <fstream>

#include "gui/qt/tick_batch.h"
#include "support/counting_file_access.h"
#include "support/temp_dir.h"

using namespace quorell;

namespace {

// A parsed copy is kept only of a file that has not changed for a moment (timestamp granularity).
constexpr int kSettle = 80;

// A store over a settled file whose parsed copy it already holds; `files` counts what it looks at.
struct StoreWithFile {
    testing::TempDir dir;
    std::filesystem::path file = dir.File("Cpu.FDB");
    testing::CountingFileAccess* files = nullptr;
    std::unique_ptr<IniStore> store;

    StoreWithFile() {
        std::ofstream(file) << "[a]\r\nk=1\r\n";
        QTest::qWait(kSettle);
        auto owned = std::make_unique<testing::CountingFileAccess>();
        files = owned.get();
        store = std::make_unique<IniStore>(std::move(owned));
        store->Read(file, "a", "k");
        files->identifies = 0;
    }
};

}  // namespace

class TickBatchTest : public QObject {
    Q_OBJECT

private slots:
    void ticksDueTogetherCheckEachFileOnceAndTheNextTicksCheckAgain() {
        StoreWithFile s;
        gui::TickBatch batch(*s.store);
        auto tick = [&] {
            batch.Join();
            return s.store->Read(s.file, "a", "k");
        };
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(tick(), std::string("1"));
        QCOMPARE(s.files->identifies, 1);
        QVERIFY(batch.Open());

        // Once the loop has run, the batch is over and an edit by hand shows at the next tick.
        QCoreApplication::processEvents();
        QVERIFY(!batch.Open());
        QTest::qWait(kSettle);
        std::ofstream(s.file, std::ios::trunc) << "[a]\r\nk=22\r\n";
        QCOMPARE(tick(), std::string("22"));
    }

    void aBatchStillOpenWhenItEndsClosesItsEvent() {
        StoreWithFile s;
        {
            gui::TickBatch batch(*s.store);
            batch.Join();
        }
        s.store->Read(s.file, "a", "k");
        s.store->Read(s.file, "a", "k");
        QCOMPARE(s.files->identifies, 2);  // no event left open: every read checks
    }
};

QTEST_GUILESS_MAIN(TickBatchTest)
#include "tick_batch_test.moc"
