#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>

#include "ui/shell/web_engine_loader.h"
#include "ui/shell/web_engine_module.h"

// Qt's own, exported for the engine, which shares its textures through it.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();

namespace {
QString chosenFile;
bool tried = false;
WebEngineModule* module = nullptr;
QString loadError;

// Beside the program in the build tree; installed, in the program's private
// library folder.
QString ModuleFile() {
    if (!chosenFile.isEmpty())
        return chosenFile;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString beside = programDir + "/" TAVINOR_WEB_ENGINE_MODULE_NAME;
    if (QFileInfo::exists(beside))
        return beside;
    return programDir + "/" TAVINOR_WEB_ENGINE_MODULE_FROM_PROGRAM
                        "/" TAVINOR_WEB_ENGINE_MODULE_NAME;
}
// Drawn through GL, the engine and the windows share their textures through
// one GL context. Asked for before the application (Qt::AA_ShareOpenGLContexts),
// it would load the GL driver at start, some 10 MiB that a run staying in the
// tray never uses; so it is made here, before the engine looks for it. Drawing
// in software the engine still reads the context's format, and a context never
// created answers that without loading any driver.
void ShareGlContexts() {
    if (qt_gl_global_share_context() != nullptr)
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    if (WebEngineDrawsThroughGl())
        context->create();
    qt_gl_set_global_share_context(context);
}
} // namespace

// Software unless the user's environment names a Qt Quick backend. Without a
// GL surface the main window comes up as a plain window, before any part of
// the engine is loaded, and no view joining it later makes the toolkit replace
// it; no GL driver is loaded at all (30 to 50 ms and some 10 MiB); and where
// the driver would itself draw in software, pages paint sooner.
void ChooseWebEngineDrawing() {
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

bool WebEngineDrawsThroughGl() {
    return qgetenv("QT_QUICK_BACKEND") != "software";
}

WebEngineModule* LoadWebEngine() {
    if (tried)
        return module;
    tried = true;
    ShareGlContexts();
    // Once loaded the engine stays: its threads outlive any unload.
    QLibrary library(ModuleFile());
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry =
        reinterpret_cast<WebEngineModuleEntry>(library.resolve(kWebEngineModuleEntry));
    if (entry == nullptr) {
        loadError = library.errorString();
        qWarning("The web engine module could not be loaded: %s", qPrintable(loadError));
        return nullptr;
    }
    module = entry();
    return module;
}

bool WebEngineLoaded() {
    return module != nullptr;
}

QString WebEngineLoadError() {
    return loadError;
}

void SetWebEngineModuleFile(const QString& path) {
    chosenFile = path;
}
