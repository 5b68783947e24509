#pragma once

class OnlineStatusUpdater;
class ProcessContext;
class QWidget;

// A dialog's place among the windows that share the status strip and the dialog registry, for
// as long as this object lives: the strip shows the link's state in it, and the registry
// enables and disables it with the others. Made once the dialog can show its status picture.
class SharedWindowRegistration {
public:
    SharedWindowRegistration(ProcessContext& context, QWidget* window,
                             OnlineStatusUpdater* updater);
    ~SharedWindowRegistration();
    SharedWindowRegistration(const SharedWindowRegistration&) = delete;
    SharedWindowRegistration& operator=(const SharedWindowRegistration&) = delete;

private:
    ProcessContext& context_;
    QWidget* window_;
    OnlineStatusUpdater* updater_;
};
