#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Notifier.h"
#include "operations/CameraSearch.h"
#include "presenters/CommunicationView.h"

class CameraPort;
class MainView;
class ProcessContext;

// What the communication dialog does, without its widgets: choosing the link, searching the
// ports for the camera, the camera's current area, storing and loading flash areas, and the
// message log's buttons. The dialog forwards each operator action here; the pages are read
// again through the main window's MainView.
class CommunicationLogic {
public:
    // The camera's flash areas as the area list holds them.
    static constexpr int32_t kFactoryArea = 0;
    static constexpr int32_t kPortsSearched = 16;

    CommunicationLogic(ProcessContext& context, CommunicationView& view, MainView& mainView);

    // The dialog's start: the link's category, ports and baud rate selected, the control mode
    // applied, "User 1 Data" selected.
    void Initialise();
    // Refills the port list for the current category and selects the stored port; a stored
    // index beyond the list reopens the link on the first port.
    void FillPortList();
    // The baud-rate controls only in factory mode, then the Store rule.
    void ApplyControlMode();
    // "Store" is enabled for a user area, and for the factory area only in factory mode.
    void ApplyStoreRule();

    void OnCategoryChosen(int32_t category);
    void OnBaudRateChosen(int32_t index);
    void OnPortChosen(int32_t index);
    // A port typed by the operator: a COM name, a device path or a serial device server's
    // network name. It belongs to the COM category, which it selects, and joins the port list.
    void OnPortNamed(const std::string& text);
    // Tries the first 16 ports in turn until a camera answers the model query; a port named
    // beyond them and in use is tried first.
    void OnAuto();
    // The camera settings file, "All Data", with the main window as owner.
    void OnWriteSettingsFile();
    void OnReadSettingsFile();
    void OnGetArea();
    void OnAreaChosen() { ApplyStoreRule(); }
    void OnStore();
    void OnLoad();
    void OnClearLog();
    void OnSaveLog();

    // "Factory Data", "User 1 Data" ... "User 3 Data" for 0 to 3, "Unkown" for anything else.
    static std::string AreaName(int32_t area);

private:
    // After the link changed: when a camera answers, the pages show what it holds.
    void CheckModelAndRefresh();
    // What a search without an answer found on the way: the ports that opened but had no camera
    // answering, and those that did not open with their reasons; empty when there is none.
    std::string SearchSummary(const std::vector<CameraSearch::Attempt>& attempts,
                              const std::vector<MessageRequest>& failures);

    ProcessContext& context_;
    CommunicationView& view_;
    MainView& mainView_;
};
