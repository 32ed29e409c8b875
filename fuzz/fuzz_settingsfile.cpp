// Restores a settings file into the running program's variables. Besides "no crash, no hang", it
// checks what the reader promises: a damaged file raises SettingsError naming the line and changes
// no variable, and whatever a file restores is saved and restored again to the same values.
#include "fuzzscratch.h"
#include "platform/namedvariables.h"
#include "platform/settingserror.h"
#include "platform/settingsfile.h"

#include <cstddef>
#include <cstdint>

namespace {

const QString inputFile = QStringLiteral("fuzz.xpf");
const QString savedFile = QStringLiteral("saved.xpf");

// Variables the game holds before it reads a file, so restoring has something to overwrite.
NamedVariables runningProgram()
{
    NamedVariables vars;
    vars.set(QStringLiteral("screen"), 1.3);
    vars.set(QStringLiteral("musik"), true);
    vars.set(QStringLiteral("c_name"), QStringLiteral("Spezial"));
    return vars;
}

bool sameVariables(const NamedVariables& a, const NamedVariables& b)
{
    if (a.names() != b.names())
        return false;
    for (const QString& name : a.names()) {
        if (a.value(name) != b.value(name))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzScratch::write(inputFile, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const NamedVariables before = runningProgram();
    NamedVariables vars = before;
    try {
        SettingsFile::restore(FuzzScratch::path(inputFile), vars);
    } catch (const SettingsError& error) {
        FuzzScratch::require(error.kind() == SettingsError::Kind::Damaged, "a readable file reported as unreadable");
        FuzzScratch::require(error.line() >= 0 && !error.fault().isEmpty(), "a SettingsError without line or fault");
        FuzzScratch::require(sameVariables(vars, before), "a damaged file changed variables");
        return 0;
    }

    SettingsFile::save(FuzzScratch::path(savedFile), QStringLiteral("*"), vars);
    NamedVariables again;
    SettingsFile::restore(FuzzScratch::path(savedFile), again);
    FuzzScratch::require(sameVariables(again, vars), "a saved file restores other values");
    return 0;
}
