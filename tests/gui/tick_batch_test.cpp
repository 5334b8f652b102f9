// Ticks that come due together form one batch of events; the batch ends once the event loop has handled
// what they left, so the next second's ticks start a new one (and an edit by hand is seen by them).
#include <QTest>

#include "gui/qt/tick_batch.h"

using namespace quorell;

namespace {

struct CountingDispatch final : EventDispatch {
    bool Dispatch(const std::function<void()>& event) override {
        event();
        return true;
    }
    void BeginBatch() override { ++begun; }
    void EndBatch() override { ++ended; }
    int begun = 0;
    int ended = 0;
};

}  // namespace

class TickBatchTest : public QObject {
    Q_OBJECT

private slots:
    void ticksDueTogetherShareOneBatchAndTheNextTicksStartAnother() {
        CountingDispatch dispatch;
        gui::TickBatch batch(dispatch);
        batch.Join();
        batch.Join();
        batch.Join();
        QCOMPARE(dispatch.begun, 1);
        QVERIFY(batch.Open());

        QCoreApplication::processEvents();
        QVERIFY(!batch.Open());
        QCOMPARE(dispatch.ended, 1);
        batch.Join();
        QCOMPARE(dispatch.begun, 2);
    }

    void aBatchStillOpenWhenItEndsClosesIt() {
        CountingDispatch dispatch;
        {
            gui::TickBatch batch(dispatch);
            batch.Join();
        }
        QCOMPARE(dispatch.ended, 1);
    }
};

QTEST_GUILESS_MAIN(TickBatchTest)
#include "tick_batch_test.moc"
