#pragma once
// Finds and loads the web engine module, once per process.

#include <QString>

class WebEngineModule;

// Chooses how the engine's views are drawn; called before the application
// object exists, since Qt reads the choice then.
void ChooseWebEngineDrawing();
// Whether the views draw through the window's GL surface (the user asked Qt
// Quick for a GPU backend) rather than in software.
bool WebEngineDrawsThroughGl();

// Loads the module on the first call; nullptr when it cannot be loaded, with
// the reason in WebEngineLoadError().
WebEngineModule* LoadWebEngine();
bool WebEngineLoaded();
QString WebEngineLoadError();
// The module's file, for a program that does not lie where it is installed
// (the tests); set before the first LoadWebEngine().
void SetWebEngineModuleFile(const QString& path);
