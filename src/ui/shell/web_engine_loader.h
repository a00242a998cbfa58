#pragma once
// Finds and loads the web engine module, once per process.

#include <QString>

class QWidget;
class WebEngineModule;

// Loads the module on the first call; nullptr when it cannot be loaded, with
// the reason in WebEngineLoadError().
WebEngineModule* LoadWebEngine();
bool WebEngineLoaded();
QString WebEngineLoadError();
// A hidden child that makes window's native window with the surface the
// engine's views draw through, and the GL context they share; added before
// that window exists, it spares the window being replaced when the first
// view joins it. It needs no part of the engine.
QWidget* CreateEngineSurfaceHolder(QWidget* window);
// Starts making that GL context on another thread, for a window about to be
// shown; CreateEngineSurfaceHolder() takes it.
void ShareGlContextsAhead();
// The module's file, for a program that does not lie where it is installed
// (the tests); set before the first LoadWebEngine().
void SetWebEngineModuleFile(const QString& path);
