// The output queue: order, the element kept until the next take, several producers at once, a
// full queue that makes its producer wait without losing anything, and the texts the put
// operations make.

#include "app/queue/OutArray.h"

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string TakeText(TOutArray& queue) {
    TOutElement* e = nullptr;
    const TOutKind kind = queue.Take(e);
    if (kind == okControlValue || kind == okControlColor)
        return static_cast<TControlOut*>(e)->Text;
    if (kind == okMemoLine)
        return static_cast<TMemoOut*>(e)->Text;
    return kind == okNone ? "(empty)" : "(kind " + std::to_string(kind) + ")";
}

} // namespace

TEST(OutArrayTest, ElementsComeOutInOrderAndStayValidUntilTheNextTake) {
    TOutArray queue;
    EXPECT_EQ(queue.PeekKind(), okNone);
    auto sub = std::make_unique<TStringList>();
    sub->Add("a");
    queue.PutListRow(nullptr, "row", std::move(sub));
    queue.PutMessage("done");
    queue.PutGridCell(nullptr, "cell", 3, 1);
    queue.PutStatus("COM3", nullptr);
    ASSERT_EQ(queue.PeekKind(), okListRow);
    TOutElement* first = nullptr;
    ASSERT_EQ(queue.Take(first), okListRow);
    EXPECT_EQ(queue.PeekKind(), okMessage);
    // The taken row, with the list it owns, is still there while the next is only peeked at.
    EXPECT_EQ(static_cast<TFullListOut*>(first)->SubItems->Get(0), "a");
    TOutElement* e = nullptr;
    ASSERT_EQ(queue.Take(e), okMessage);
    EXPECT_EQ(static_cast<TMsgOut*>(e)->Text, "done");
    ASSERT_EQ(queue.Take(e), okGridCell);
    const auto* cell = static_cast<TOutStringGrid*>(e);
    EXPECT_EQ(cell->Text, "cell");
    EXPECT_EQ(cell->Row, 3);
    EXPECT_EQ(cell->Col, 1);
    ASSERT_EQ(queue.Take(e), okStatusPanel);
    EXPECT_EQ(queue.Take(e), okNone);
    EXPECT_EQ(e, nullptr);
}

TEST(OutArrayTest, PutOperationsWriteTheTextsTheAppliersRead) {
    TOutArray queue;
    queue.PutControlBool(nullptr, true);
    queue.PutControlBool(nullptr, false);
    queue.PutControlInt(nullptr, -42);
    queue.PutControlColor(nullptr, TColor(0xFF0000));
    queue.PutControlColor(nullptr, TColor(255));
    queue.PutMemoLine(nullptr, "#com<-: +v", true, 1);
    queue.PutMemoLine(nullptr, "plain", false, 1);
    EXPECT_EQ(TakeText(queue), "-1");
    EXPECT_EQ(TakeText(queue), "0");
    EXPECT_EQ(TakeText(queue), "-42");
    EXPECT_EQ(TakeText(queue), "clBlue");
    EXPECT_EQ(TakeText(queue), "clRed");
    // Short date and long time of a Russian desktop, a blank, then the line.
    const std::string stamped = TakeText(queue);
    EXPECT_TRUE(
        std::regex_match(stamped, std::regex(R"(\d\d\.\d\d\.\d{4} \d{1,2}:\d\d:\d\d #com<-: \+v)")))
        << stamped;
    EXPECT_EQ(TakeText(queue), "plain");
}

TEST(OutArrayTest, TwoProducersLoseNothingAndKeepTheirOwnOrder) {
    TOutArray queue;
    constexpr int perProducer = 2500;
    auto produce = [&](char id) {
        for (int i = 0; i < perProducer; ++i)
            queue.PutControlText(nullptr, std::string(1, id) + std::to_string(i));
    };
    std::thread a(produce, 'a'), b(produce, 'b');
    // The user-interface side takes while both put (more than the queue holds at once).
    int next[2] = {0, 0};
    int taken = 0;
    while (taken < 2 * perProducer) {
        TOutElement* e = nullptr;
        if (queue.Take(e) == okNone) {
            std::this_thread::yield();
            continue;
        }
        const std::string& text = static_cast<TControlOut*>(e)->Text;
        const int producer = text[0] - 'a';
        ASSERT_EQ(std::stoi(text.substr(1)), next[producer]) << text;
        ++next[producer];
        ++taken;
    }
    a.join();
    b.join();
    EXPECT_EQ(next[0], perProducer);
    EXPECT_EQ(next[1], perProducer);
    EXPECT_EQ(queue.PeekKind(), okNone);
}

TEST(OutArrayTest, AFullQueueMakesItsProducerWaitAndNeverOverwrites) {
    // A long bound: the producer goes on as soon as one element is taken.
    TOutArray patient(std::chrono::seconds(20));
    for (size_t i = 0; i < TOutArray::Capacity; ++i)
        patient.PutControlInt(nullptr, static_cast<int64_t>(i));
    std::atomic<bool> done{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread producer([&] {
        patient.PutControlInt(nullptr, 5000);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(done) << "a put into a full queue did not wait";
    EXPECT_EQ(TakeText(patient), "0");
    producer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(patient.Pending(), TOutArray::Capacity);

    // With nobody taking, the wait ends after its bound and the element is kept all the same.
    TOutArray stalled(std::chrono::milliseconds(20));
    for (size_t i = 0; i < TOutArray::Capacity + 5; ++i)
        stalled.PutControlInt(nullptr, static_cast<int64_t>(i));
    EXPECT_EQ(stalled.Pending(), TOutArray::Capacity + 5);
    for (size_t i = 0; i < TOutArray::Capacity + 5; ++i)
        ASSERT_EQ(TakeText(stalled), std::to_string(i));
}
