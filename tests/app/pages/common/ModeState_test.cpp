// The mode state machine and the three questions before the deep sleep.

#include "app/pages/common/ModeState.h"

#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

const TModeButtons kDuty{true, false, false};
const TModeButtons kWithFix{false, true, false};
const TModeButtons kSleep{false, false, true};

TEST(ModeState, LookOfEachMode) {
    const struct {
        const char* name;
        TModeButtons mode;
        bool antiTheft;
        TModeLook want;
    } cases[] = {
        {"duty", kDuty, false, {1, false, false, false}},
        {"duty with anti-theft down", kDuty, true, {1, false, false, false}},
        {"sleep with fixing", kWithFix, false, {1, true, true, true}},
        {"sleep with fixing and anti-theft", kWithFix, true, {1, true, false, true}},
        {"sleep", kSleep, false, {10, true, false, true}},
        {"sleep with anti-theft", kSleep, true, {10, true, false, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModeLook(c.mode, c.antiTheft), c.want) << c.name;
}

// Answers the questions in turn from a list and records them.
struct TScriptedQuestions {
    std::deque<int> Answers;
    std::vector<std::string> Asked;
    TModeQuestions Questions() {
        const auto answer = [this](const std::string& text) {
            Asked.push_back(text);
            if (Answers.empty())
                return static_cast<int>(mrCancel);
            const int a = Answers.front();
            Answers.pop_front();
            return a;
        };
        return {answer, answer};
    }
};

const char* const kPeriod = "1 сут. 2 час. 30 мин.";

TEST(ModeState, DeepSleepAsksThreeTimes) {
    TScriptedQuestions q{{mrYes, mrOk, mrYes}, {}};
    EXPECT_EQ(DecideModeChange(kDuty, kSleep, true, kPeriod, q.Questions()), TModeChange::Send);
    EXPECT_EQ(
        q.Asked,
        (std::vector<std::string>{
            "Вы уверены, что хотите перевести устройство в спящий режим?",
            "ВНИМАНИЕ! Устройство не будет доступно в течение 1 сут. 2 час. 30 мин. !", "Точно?"}));
}

TEST(ModeState, AnyOtherAnswerRestoresThePreviousMode) {
    const struct {
        const char* name;
        std::deque<int> answers;
        size_t asked;
    } cases[] = {
        {"no at first", {mrNo}, 1},
        {"cancel at first", {mrCancel}, 1},
        {"cancel at the warning", {mrYes, mrCancel}, 2},
        {"no at last", {mrYes, mrOk, mrNo}, 3},
        {"cancel at last", {mrYes, mrOk, mrCancel}, 3},
    };
    for (const auto& c : cases) {
        TScriptedQuestions q{c.answers, {}};
        EXPECT_EQ(DecideModeChange(kWithFix, kSleep, true, kPeriod, q.Questions()),
                  TModeChange::Restore)
            << c.name;
        EXPECT_EQ(q.Asked.size(), c.asked) << c.name;
    }
}

TEST(ModeState, OtherChangesAreSentWithoutQuestions) {
    const struct {
        const char* name;
        TModeButtons from;
        TModeButtons to;
        bool connected;
        TModeChange want;
    } cases[] = {
        {"duty to sleep with fixing", kDuty, kWithFix, true, TModeChange::Send},
        {"sleep to duty", kSleep, kDuty, true, TModeChange::Send},
        {"already asleep", kSleep, kSleep, true, TModeChange::Send},
        {"not connected", kDuty, kSleep, false, TModeChange::Keep},
    };
    for (const auto& c : cases) {
        TScriptedQuestions q;
        EXPECT_EQ(DecideModeChange(c.from, c.to, c.connected, kPeriod, q.Questions()), c.want)
            << c.name;
        EXPECT_TRUE(q.Asked.empty()) << c.name;
    }
}

} // namespace
