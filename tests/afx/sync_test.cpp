#include "platform/afx/oblist.h"
#include "platform/afx/sync.h"
#include "platform/afx/thread.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>

TEST(Event, AutoResetReleasesOneWaitAndManualStaysSet) {
    CEvent autoEvent;
    EXPECT_FALSE(autoEvent.Lock(0));
    autoEvent.SetEvent();
    EXPECT_TRUE(autoEvent.Lock(0));
    EXPECT_FALSE(autoEvent.Lock(0)) << "an auto-reset event is consumed by one wait";

    CEvent manual(FALSE, TRUE);
    manual.SetEvent();
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    manual.ResetEvent();
    EXPECT_FALSE(manual.Lock(10));
}

TEST(Event, WaitTimesOutAfterLimit) {
    CEvent e;
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(e.Lock(40));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

namespace {
class CCountingThread : public CWinThread {
public:
    std::atomic<int> runs{0};
    CEvent done{FALSE, TRUE};
    int Run() override {
        ++runs;
        done.SetEvent();
        return 0;
    }
};
} // namespace

TEST(WinThread, CreateThreadRunsInitInstanceThenRunOnce) {
    CCountingThread t;
    ASSERT_TRUE(t.CreateThread());
    CSingleLock lock(&t.done);
    EXPECT_TRUE(lock.Lock(5000));
    EXPECT_EQ(t.runs, 1);
    EXPECT_FALSE(t.CreateThread()) << "a thread object starts one worker";
}

TEST(ObList, KeepsOrderAndWalksByPosition) {
    CObList list;
    CObject* items[3] = {reinterpret_cast<CObject*>(0x10), reinterpret_cast<CObject*>(0x20),
                         reinterpret_cast<CObject*>(0x30)};
    for (CObject* o : items) list.AddTail(o);
    EXPECT_EQ(list.GetCount(), 3);
    POSITION pos = list.GetHeadPosition();
    for (CObject* expected : items) EXPECT_EQ(list.GetNext(pos), expected);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), items[2]);
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    list.RemoveAt(list.FindIndex(1));
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), items[2]);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}
