// Calls handed over from worker threads run from Qt's event loop: while forms are shown, while a
// modal loop runs, and while the user-interface thread waits for the worker.

#include "FormsTestSupport.h"

#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <atomic>
#include <functional>

using namespace formstest;

namespace {

class TWorker : public TThread {
public:
    explicit TWorker(std::function<void(TWorker*)> body) : body_(std::move(body)) {}
    ~TWorker() override {
        Terminate();
        WaitFor();
    }
    using TThread::Queue;
    using TThread::Synchronize;

protected:
    void Execute() override { body_(this); }

private:
    std::function<void(TWorker*)> body_;
};

} // namespace

TEST(HandOver, SynchronizeRunsWhileAModalLoopWaits) {
    Boxes().Reset();
    auto* dlg = TCustomForm::Create<TForm>(nullptr);
    std::atomic<bool> ranOnMain{false};
    TWorker worker([&](TWorker* self) {
        // Waits for the modal loop to be running, then closes the form from the worker's side.
        while (!self->Terminated()) {
            bool modal = false;
            self->Synchronize([&] { modal = dlg->Modal() && dlg->Visible(); });
            if (modal)
                break;
            Sleep(5);
        }
        self->Synchronize([&] {
            ranOnMain = IsMainThread();
            dlg->SetModalResult(mrOk);
        });
    });
    worker.Start();
    TModalResult r = dlg->ShowModal();
    worker.WaitFor();
    EXPECT_EQ(r, mrOk);
    EXPECT_TRUE(ranOnMain);
    delete dlg;
}

// The user-interface thread waits for a worker that keeps synchronising: no deadlock, and every
// call ran on the user-interface thread in order.
TEST(HandOver, WaitForRunsTheWorkersSynchronizedCalls) {
    std::vector<int> seen;
    std::atomic<bool> allOnMain{true};
    TWorker worker([&](TWorker* self) {
        for (int i = 0; i < 200; ++i)
            self->Synchronize([&, i] {
                if (!IsMainThread())
                    allOnMain = false;
                seen.push_back(i);
            });
    });
    worker.Start();
    worker.WaitFor();
    ASSERT_EQ(seen.size(), 200u);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(seen[static_cast<size_t>(i)], i);
    EXPECT_TRUE(allOnMain);
}

// Queued calls are run by the event loop alone, without anyone calling CheckSynchronize; one
// that fails is reported and the later ones still run.
TEST(HandOver, QueuedCallsRunFromTheEventLoop) {
    Boxes().Reset();
    std::atomic<int> done{0};
    TWorker worker([&](TWorker* self) {
        self->Queue([&] { ++done; });
        self->Queue([] { throw Exception("queued call failed"); });
        self->Queue([&] { ++done; });
    });
    worker.Start();
    // The worker has finished queueing once it has finished (WaitFor would run the calls itself).
    while (!worker.Finished())
        Sleep(1);
    EXPECT_EQ(done.load(), 0);
    EXPECT_TRUE(WaitUntil([&] { return done.load() == 2; }));
    ASSERT_EQ(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Text, "queued call failed.");
    worker.WaitFor();
}

TEST(HandOver, ShownFormsReceiveHandedOverUpdates) {
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->Show();
    TWorker worker([&](TWorker* self) {
        for (int i = 1; i <= 20; ++i)
            self->Queue([form, i] { form->SetCaption("step " + std::to_string(i)); });
    });
    worker.Start();
    EXPECT_TRUE(WaitUntil([&] { return form->Caption() == "step 20"; }));
    EXPECT_EQ(form->Handle()->windowTitle().toStdString(), "step 20");
    worker.WaitFor();
    delete form;
}
