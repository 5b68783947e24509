#include "core/Notifier.h"

#include <chrono>
#include <vector>

#include "core/LogSinks.h"
#include "core/MessageGathering.h"
#include "core/OneLine.h"
#include "core/OperationScope.h"
#include "core/ProcessContext.h"
#include "core/WaitClock.h"

namespace {

// How long the line must stay free of a message before it is shown again. Longer than a
// 1024-byte run at 9600 bit/s takes, so that a device streaming without line ends overflows
// the receiver well within it.
constexpr WaitClock::Span kQuietPeriod{3000};

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

// The messages of one context shown lately, each with the last time it came. One of them that
// comes again between requests before the quiet period has passed is a repeat: logged, not
// shown.
class MessageRepeats {
public:
    explicit MessageRepeats(ProcessContext& context)
        : context_(context), notifier_(context.Get<Notifier>()) {
        notifier_.repeats_ = this;
    }
    ~MessageRepeats() {
        if (notifier_.repeats_ == this) {
            notifier_.repeats_ = nullptr;
        }
    }
    MessageRepeats(const MessageRepeats&) = delete;
    MessageRepeats& operator=(const MessageRepeats&) = delete;

    // True when the message was shown lately and has come again within the quiet period since
    // it last came; every time it comes, the period starts anew.
    bool CameAgain(const MessageRequest& request, const std::string& kind) {
        if (request.buttons != MessageButtons::Ok) {
            return false;  // an answer is needed every time
        }
        const WaitClock::Clock::time_point now = WaitClock::Clock::now();
        const WaitClock::Span quiet = context_.Get<WaitClock>().Timeout(kQuietPeriod);
        for (Entry& shown : shown_) {
            if (IsSame(shown, request, kind)) {
                const bool again = now - shown.last < quiet;
                shown.last = now;
                return again;
            }
        }
        return false;
    }

    // The message was shown now (the operator has closed its box).
    void Presented(const MessageRequest& request, const std::string& kind) {
        if (request.buttons != MessageButtons::Ok) {
            return;
        }
        const WaitClock::Clock::time_point now = WaitClock::Clock::now();
        const WaitClock::Span quiet = context_.Get<WaitClock>().Timeout(kQuietPeriod);
        std::vector<Entry> kept;
        for (Entry& shown : shown_) {
            if (!IsSame(shown, request, kind) && now - shown.last < quiet) {
                kept.push_back(std::move(shown));
            }
        }
        kept.push_back({request.caption, kind.empty() ? request.text : kind, !kind.empty(),
                        FirstLine(request.text), now});
        shown_ = std::move(kept);
    }

    void Log(const MessageRequest& request) {
        context_.Get<MessageLogSink>().Add(request.caption + ": " + OneLine(request.text));
    }

private:
    struct Entry {
        std::string caption;
        std::string key;  // its kind, else its text
        bool kinded;      // it named a kind
        std::string firstLine;
        WaitClock::Clock::time_point last;
    };
    // Two messages are one when they share caption and kind (their text when they name none).
    // A message that names a kind quotes what came in its later lines, so one that shares its
    // first line is the same too ("RS-232C receiving buffer overflowed", with or without the
    // count of bytes lost).
    static bool IsSame(const Entry& shown, const MessageRequest& request, const std::string& kind) {
        if (shown.caption != request.caption) {
            return false;
        }
        const std::string& key = kind.empty() ? request.text : kind;
        return shown.key == key ||
               ((!kind.empty() || shown.kinded) && shown.firstLine == FirstLine(request.text));
    }

    ProcessContext& context_;
    Notifier& notifier_;
    std::vector<Entry> shown_;
};

void Notifier::JoinContext(ProcessContext& context) {
    context.Get<MessageRepeats>();
}

MessageAnswer Notifier::Show(const MessageRequest& request, const std::string& kind) {
    if (gathering_ != nullptr && request.buttons == MessageButtons::Ok) {
        gathering_->Keep(request);
        return MessageAnswer::Ok;
    }
    // Every coming counts for the quiet period, the ones an operation holds back too, so that
    // the line is quiet only once none came for the whole period.
    const bool cameAgain = repeats_ != nullptr && repeats_->CameAgain(request, kind);
    if (operation_ != nullptr && operation_->HoldBack(request, kind)) {
        return MessageAnswer::Ok;
    }
    if (cameAgain && idle_ > 0) {
        repeats_->Log(request);
        return MessageAnswer::Ok;
    }
    const MessageAnswer answer = Present(request);
    if (repeats_ != nullptr) {
        repeats_->Presented(request, kind);
    }
    return answer;
}

IdleLineScope::IdleLineScope(ProcessContext& context) : notifier_(context.Get<Notifier>()) {
    ++notifier_.idle_;
}

IdleLineScope::~IdleLineScope() {
    --notifier_.idle_;
}
