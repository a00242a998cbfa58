#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include "ui/shell/web_engine_loader.h"
#include "ui/shell/web_engine_module.h"

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
} // namespace

WebEngineModule* LoadWebEngine() {
    if (tried)
        return module;
    tried = true;
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
