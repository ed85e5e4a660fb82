// Builds the real platform services and the main window, then runs the event loop.
#include <QApplication>
#include <QStyleFactory>

#include "dialogs/FormBuilder.h"
#include "app/QtMessageBoxes.h"
#include "app/Varnex.h"
#include "audio/AudioBackends.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(varnex::formFont());

    varnex::Platform platform;
    platform.messageBoxes = std::make_unique<varnex::QtMessageBoxes>();
    platform.programFolder = QCoreApplication::applicationDirPath().toStdString();
    varnex::AudioBackends sound = varnex::makeAudioBackends();
    if (!sound.problem.empty()) std::fprintf(stderr, "varnex: %s\n", sound.problem.c_str());
    platform.tonePlayer = std::move(sound.player);
    platform.waveInput = std::move(sound.input);

    varnex::Varnex window(std::move(platform));
    window.show();
    return QApplication::exec();
}
