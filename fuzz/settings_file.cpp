// The settings file: any bytes a user or editor left in tallywick110.ini are
// read without a crash, every key into Settings, and a write keeps to its
// promise that the value reads back.

#include <QFile>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "core/IniFile.h"
#include "core/LoadSettings.h"
#include "core/Session.h"

using namespace tw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One folder for the whole run (removed at exit); each input replaces the file.
    static const QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/tallywick110.ini");
    {
        QFile file(path);
        fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the file opens");
        file.write(fuzz::inputBytes(data, size));
    }
    const IniFile ini(path);
    for (const char* section : {"Settings", "Query_1", "Window"}) {
        for (const char* key : {"URL_Base_Domain", "Query_Count", "SQL", "Name", "Top"}) {
            const QString value = ini.read(QString::fromLatin1(section), QString::fromLatin1(key));
            fuzz::require(value.size() <= IniFile::kMaxValueLength, "a value fits the buffer");
        }
    }

    Session state;
    state.programDir = folder.path();
    state.iniPath = path;
    readAllSettings(state);

    fuzz::require(ini.write(QStringLiteral("Settings"), QStringLiteral("Fuzz_Key"),
                            QStringLiteral("written")),
                  "a write to a writable file succeeds");
    fuzz::require(ini.read(QStringLiteral("Settings"), QStringLiteral("Fuzz_Key")) ==
                      QStringLiteral("written"),
                  "a written value reads back");
    return 0;
}
