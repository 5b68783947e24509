#pragma once

// Registers the images and icons compiled into rvwidgets. A static library's resources are
// linked only when something names them, so the program and the widget tests call this once
// before the first window loads an image; later calls do nothing.
void InitialiseResources();
