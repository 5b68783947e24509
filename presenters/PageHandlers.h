#pragma once

#include <cstdint>

class ControlBinding;
class MainView;
class ProcessContext;

// What the parameter pages do beyond the generic binding: the buttons that read limits, the
// temperature and single LUT entries or start the automatic line rate.
class PageHandlers {
public:
    PageHandlers(ProcessContext& context, MainView& view, ControlBinding& binding);

    void OnOnePush();
    void OnLineRateMinRead();
    void OnExposureLimitsRead();
    void OnTemperatureGet();
    void OnLutRead();
    void OnLutWrite();

private:
    ProcessContext& context_;
    MainView& view_;
    ControlBinding& binding_;
};
