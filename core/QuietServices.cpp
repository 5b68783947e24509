// What programs without windows get for the window services: nothing to show, nothing to do.
#include "core/DialogEnabler.h"
#include "core/DocumentOpener.h"
#include "core/FileChooser.h"
#include "core/LogSinks.h"
#include "core/Notifier.h"
#include "core/OnlineStatusSink.h"
#include "core/OperatorDialogs.h"
#include "core/ProgressSink.h"
#include "core/StatusLine.h"
#include "core/WaitFeedback.h"

namespace {

class DiscardingTerminalLog : public TerminalLogSink {
public:
    void AddLine(const std::string&) override {}
};

class DiscardingMessageLog : public MessageLogSink {
public:
    void Add(const std::string&) override {}
};

class QuietOnlineStatus : public OnlineStatusSink {
public:
    void SetOnline(bool) override {}
};

class QuietDialogEnabler : public DialogEnabler {
public:
    void EnableAll(bool) override {}
};

class QuietProgress : public ProgressSink {
public:
    void ShowProgress(OperatorWindow*, const std::string&) override {}
    void SetProgressMessage(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    void StopProgress() override {}
};

class CancellingFileChooser : public FileChooser {
public:
    std::optional<std::string> ChooseFileToSave(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFileToOpen(const FileDialogRequest&) override {
        return std::nullopt;
    }
};

class CancellingDialogs : public OperatorDialogs {
public:
    std::optional<std::string> Choose(const ChoiceRequest&) override { return std::nullopt; }
    void ShowAbout() override {}
    void EditCameraId() override {}
    void EditUserId() override {}
};

class NoDocumentViewer : public DocumentOpener {
public:
    bool Open(const std::string&) override { return false; }
};

class SilentNotifier : public Notifier {
public:
    MessageAnswer Present(const MessageRequest& request) override {
        return request.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
};

class QuietStatusLine : public StatusLine {
public:
    void ShowOutcome(const std::string&) override {}
    void ShowLink(const std::string&) override {}
};

class QuietWaitFeedback : public WaitFeedback {
public:
    void BeginWait() override {}
    void KeepAlive() override {}
    void EndWait() override {}
};

}  // namespace

std::unique_ptr<TerminalLogSink> TerminalLogSink::CreateDefault(ProcessContext&) {
    return std::make_unique<DiscardingTerminalLog>();
}

std::unique_ptr<MessageLogSink> MessageLogSink::CreateDefault(ProcessContext&) {
    return std::make_unique<DiscardingMessageLog>();
}

std::unique_ptr<OnlineStatusSink> OnlineStatusSink::CreateDefault(ProcessContext&) {
    return std::make_unique<QuietOnlineStatus>();
}

std::unique_ptr<DialogEnabler> DialogEnabler::CreateDefault(ProcessContext&) {
    return std::make_unique<QuietDialogEnabler>();
}

std::unique_ptr<ProgressSink> ProgressSink::CreateDefault(ProcessContext&) {
    return std::make_unique<QuietProgress>();
}

std::unique_ptr<WaitFeedback> WaitFeedback::CreateDefault(ProcessContext&) {
    return std::make_unique<QuietWaitFeedback>();
}

std::unique_ptr<FileChooser> FileChooser::CreateDefault(ProcessContext&) {
    return std::make_unique<CancellingFileChooser>();
}

std::unique_ptr<OperatorDialogs> OperatorDialogs::CreateDefault(ProcessContext&) {
    return std::make_unique<CancellingDialogs>();
}

std::unique_ptr<DocumentOpener> DocumentOpener::CreateDefault(ProcessContext&) {
    return std::make_unique<NoDocumentViewer>();
}

std::unique_ptr<Notifier> Notifier::CreateDefault(ProcessContext&) {
    return std::make_unique<SilentNotifier>();
}

std::unique_ptr<StatusLine> StatusLine::CreateDefault(ProcessContext&) {
    return std::make_unique<QuietStatusLine>();
}
