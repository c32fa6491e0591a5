#include "tools/unitsim/SimUnit.h"

#include <algorithm>

namespace {

// A line longer than this is noise, not a command; the unit throws it away.
constexpr size_t kMaxLine = 4096;

} // namespace

TSimUnit::TSimUnit(TSimHost& host) : host_(host) {
    deliver_ = [this](std::string bytes) { host_.Transmit(std::move(bytes)); };
    RegisterSettings();
}

void TSimUnit::RegisterSettings() {
    for (const std::string& keyword : settings_.Keywords()) {
        RegisterKeyword(keyword, [this](const TUnitRequest& request) {
            if (!request.IsWrite())
                return TUnitReply::ValueOf(request.Keyword, settings_.Get(request.Keyword));
            if (!settings_.Write(request.Keyword, request.Value))
                return TUnitReply::Error();
            if (shape_.SetterEchoesValue)
                return TUnitReply::ValueOf(request.Keyword, settings_.Get(request.Keyword));
            return TUnitReply::Ok();
        });
    }
    RegisterKeyword("cursupp", [this](const TUnitRequest& request) {
        if (request.IsWrite())
            return TUnitReply::Error();
        std::string value = settings_.Get("cursupp");
        if (!supplySeries_.empty()) {
            value = supplySeries_[supplyIndex_ % supplySeries_.size()];
            ++supplyIndex_;
            settings_.Set("cursupp", value);
        }
        return TUnitReply::ValueOf(request.Keyword, value);
    });
    // "mflag" clears the raised event flags that "MFLAG" reports.
    RegisterKeyword("mflag", [this](const TUnitRequest& request) {
        if (request.IsWrite())
            return TUnitReply::Error();
        settings_.Set("MFLAG", "0000");
        return TUnitReply::Ok();
    });
    RegisterWord("CABLE CONNECT", [this](const TUnitRequest&) {
        cableSession_ = true;
        return TUnitReply::Ok();
    });
    RegisterWord("CABLE DISCONNECT", [this](const TUnitRequest&) {
        cableSession_ = false;
        return TUnitReply::Ok();
    });
}

void TSimUnit::RegisterKeyword(const std::string& keyword, TKeywordHandler handler) {
    keywords_[keyword] = std::move(handler);
    longestKeyword_ = std::max(longestKeyword_, keyword.size());
}

void TSimUnit::RegisterWord(const std::string& word, TKeywordHandler handler) {
    words_[word] = std::move(handler);
}

void TSimUnit::UnregisterKeyword(const std::string& keyword) {
    keywords_.erase(keyword);
}

bool TSimUnit::HasKeyword(const std::string& keyword) const {
    return keywords_.count(keyword) != 0;
}

void TSimUnit::SetLineFilter(TLineFilter filter) {
    lineFilter_ = std::move(filter);
}

void TSimUnit::SetRawInput(TRawInput input) {
    rawInput_ = input ? std::make_shared<TRawInput>(std::move(input)) : nullptr;
}

void TSimUnit::SetDeliver(std::function<void(std::string)> deliver) {
    deliver_ = std::move(deliver);
}

void TSimUnit::ScriptReply(std::string raw) {
    script_.push_back(std::move(raw));
}

void TSimUnit::SetSupplySeries(std::vector<std::string> series) {
    supplySeries_ = std::move(series);
    supplyIndex_ = 0;
}

void TSimUnit::PowerUpChatter(int laterMs) {
    Emit("AT\r");
    Emit("AT+CFUN=1\r", laterMs);
}

void TSimUnit::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        if (rawInput_) {
            // The raw consumer may hand the line back (clear itself) part-way; the rest of the
            // bytes then go on into lines.
            const std::shared_ptr<TRawInput> input = rawInput_;
            (*input)(bytes);
            return;
        }
        const char c = bytes.front();
        bytes.remove_prefix(1);
        if (c == '\r') {
            std::string line;
            line.swap(partial_);
            Dispatch(line);
        } else if (c != '\n') {
            partial_ += c;
            if (partial_.size() > kMaxLine)
                partial_.clear();
        }
    }
}

void TSimUnit::Dispatch(const std::string& line) {
    if (line.empty())
        return;
    lines_.push_back(line);
    if (!script_.empty()) {
        std::string raw = std::move(script_.front());
        script_.pop_front();
        Deliver(std::move(raw), faults_.DelayMs);
        return;
    }
    if (lineFilter_) {
        if (std::optional<TUnitReply> reply = lineFilter_(line)) {
            Reply(*reply);
            return;
        }
    }
    if (faults_.Silent)
        return;
    lineKeyword_ = KeywordOf(line);
    if (!faults_.SilentKeyword.empty() && lineKeyword_ == faults_.SilentKeyword) {
        lineKeyword_.clear();
        return;
    }
    if (faults_.AnswerError ||
        (!faults_.RefuseKeyword.empty() && lineKeyword_ == faults_.RefuseKeyword)) {
        Reply(TUnitReply::Error());
    } else {
        Reply(Handle(line));
    }
    lineKeyword_.clear();
}

std::string TSimUnit::KeywordOf(const std::string& line) const {
    if (words_.count(line) != 0)
        return line;
    if (line.empty() || line[0] != '+')
        return {};
    const std::string rest = line.substr(1);
    for (size_t n = std::min(rest.size(), longestKeyword_); n > 0; --n)
        if (keywords_.count(rest.substr(0, n)) != 0)
            return rest.substr(0, n);
    return {};
}

TUnitReply TSimUnit::Handle(const std::string& line) {
    auto word = words_.find(line);
    if (word != words_.end())
        return word->second({line, line, {}});
    if (line[0] != '+')
        return TUnitReply::Error();
    const std::string rest = line.substr(1);
    // Keyword and value are written together ("+periodgs10078"): the longest known keyword that
    // begins the text is the command.
    const std::string keyword = KeywordOf(line);
    auto it = keywords_.find(keyword);
    if (keyword.empty() || it == keywords_.end())
        return TUnitReply::Error();
    return it->second({line, keyword, rest.substr(keyword.size())});
}

std::string TSimUnit::Render(const TUnitReply& reply) const {
    const std::string& end = shape_.LineEnd;
    const std::string ok = "OK" + end;
    switch (reply.Kind) {
    case TUnitReply::urNone:
        return {};
    case TUnitReply::urOk:
        return ok;
    case TUnitReply::urError:
        return "ERROR" + end;
    case TUnitReply::urValue:
        return (shape_.EchoKeyword ? reply.Name : std::string()) + ">" + reply.Value + end + ok;
    case TUnitReply::urLines: {
        std::string text;
        for (const std::string& line : reply.Lines)
            text += line + end;
        return text + ok;
    }
    case TUnitReply::urRaw:
        return reply.Raw;
    }
    return {};
}

void TSimUnit::Reply(const TUnitReply& reply) {
    std::string text = Render(reply);
    if (reply.Kind == TUnitReply::urRaw) {
        Deliver(std::move(text), faults_.DelayMs);
        return;
    }
    if (faults_.DropOk) {
        const std::string ok = "OK" + shape_.LineEnd;
        if (text.size() >= ok.size() && text.compare(text.size() - ok.size(), ok.size(), ok) == 0)
            text.resize(text.size() - ok.size());
    }
    if (faults_.CutAfter >= 0 && text.size() > static_cast<size_t>(faults_.CutAfter))
        text.resize(faults_.CutAfter);
    text = faults_.Garbage + text;
    if (text.empty())
        return;
    const bool late = !faults_.LateKeyword.empty() && lineKeyword_ == faults_.LateKeyword;
    const int delay = faults_.DelayMs + (late ? faults_.LateMs : 0);
    DeliverShaped(text, delay);
    if (late && faults_.RepeatMs > 0)
        DeliverShaped(text, delay + faults_.RepeatMs);
}

void TSimUnit::DeliverShaped(const std::string& text, int delayMs) {
    if (faults_.SplitGapMs > 0 && text.size() > 1) {
        size_t at = faults_.SplitAt < 0 ? text.size() / 2 : static_cast<size_t>(faults_.SplitAt);
        at = std::clamp<size_t>(at, 1, text.size() - 1);
        Deliver(text.substr(0, at), delayMs);
        Deliver(text.substr(at), delayMs + faults_.SplitGapMs);
        return;
    }
    Deliver(text, delayMs);
}

void TSimUnit::Emit(std::string bytes, int delayMs) {
    Deliver(std::move(bytes), delayMs);
}

void TSimUnit::Deliver(std::string bytes, int delayMs) {
    if (bytes.empty())
        return;
    if (delayMs <= 0) {
        deliver_(std::move(bytes));
        return;
    }
    host_.Schedule(delayMs,
                   [this, bytes = std::move(bytes)]() mutable { deliver_(std::move(bytes)); });
}
