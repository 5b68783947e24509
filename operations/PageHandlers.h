#pragma once

#include <cstdint>

class ControlBinding;
class MainView;
class ProcessContext;

// What the parameter pages do beyond the generic binding: the lists that need a sequence of
// their own, and the buttons that read limits, the temperature and single LUT entries or start
// the automatic line rate.
class PageHandlers {
public:
    PageHandlers(ProcessContext& context, MainView& view, ControlBinding& binding);

    // A refused exposure mode stays selected.
    void OnExposureModeSelect();
    // The camera's own rate: the camera is told, the PC follows, and the camera confirms at the
    // new rate; on failure both go back to the previous rate.
    void OnBaudRateSelect();
    void OnSensorSelect();

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
