#include "app/ProgramFonts.h"

#include "kit/Failures.h"
#include "storage/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QtGlobal>

namespace {

const char ConfigurationVariable[] = "FONTCONFIG_FILE";
const QString FontsFolder = QStringLiteral("fonts");
const QString Configuration = QStringLiteral("fonts.conf");

// Whether ChooseConfiguration set the variable, so that Load takes back only what it set.
bool chosenHere = false;

} // namespace

namespace ProgramFonts {

void ChooseConfiguration()
{
    if (qEnvironmentVariableIsSet(ConfigurationVariable))
        return;
    // The folder of the running executable, before QCoreApplication can say it.
    const QString executable = QString::fromStdString(platform::PathText(platform::ExecutablePath()));
    if (executable.isEmpty())
        return;
    const QString file = QFileInfo(executable).dir().filePath(FontsFolder + u'/' + Configuration);
    if (!QFileInfo(file).isFile())
        return;
    chosenHere = qputenv(ConfigurationVariable, QFile::encodeName(file));
}

bool Load(const QString& programFolder)
{
    const QDir fonts(QDir(programFolder).filePath(FontsFolder));
    if (!fonts.exists())
        return false;
    const QStringList files =
        fonts.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        if (QFontDatabase::addApplicationFont(fonts.filePath(file)) < 0)
            Failures::Note(FileError{"load font", platform::PathOfText(fonts.filePath(file).toStdString()), "not a font Qt can read"});
    // Fontconfig has read its configuration by now (adding a font loads the font database).
    if (chosenHere) {
        qunsetenv(ConfigurationVariable);
        chosenHere = false;
    }
    return !files.isEmpty();
}

} // namespace ProgramFonts
