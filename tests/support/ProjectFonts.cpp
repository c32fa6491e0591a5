#include "tests/support/ProjectFonts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>

void UseProjectFontsOnly(const char* name) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        return;
    const QString dir = QStringLiteral(Q4_BINARY_DIR "/") + QString::fromUtf8(name);
    QDir().mkpath(dir);
    // Test programs of one folder start side by side: each writes a whole new file and renames
    // it over the old one, so that no reader finds it half written.
    QSaveFile conf(dir + QStringLiteral("/fonts.conf"));
    if (!conf.open(QIODevice::WriteOnly))
        return;
    conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
               "<fontconfig>\n"
               "  <dir>/usr/share/fonts/truetype/liberation2</dir>\n"
               "  <dir>/usr/share/fonts/truetype/dejavu</dir>\n"
               "  <cachedir>" +
               dir.toUtf8() + "/cache</cachedir>\n</fontconfig>\n");
    if (!conf.commit())
        return;
    qputenv("FONTCONFIG_FILE", conf.fileName().toUtf8());
}
