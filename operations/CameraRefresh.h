#pragma once

class MainView;
class ProcessContext;

// Shows what the camera really holds: with every dialog disabled, checks the model, reads the
// camera's settings, shows and synchronises them, and applies the page rules.
void RefreshFromCamera(ProcessContext& context, MainView& view);
