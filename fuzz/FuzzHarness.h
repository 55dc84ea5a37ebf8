#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

class myQQuickView;

// What every target shares: one headless application, run in a fresh working folder that holds
// the empty store folders (modules/setting, macro, gun, i18n).
namespace FuzzHarness {

// Creates the application and the working folder once; later calls do nothing.
void init();
// The bridge object of the scene, built once on first use.
myQQuickView &view();
// Writes bytes to path (relative to the working folder) and gives the file a modification time
// never used before, so readers that cache by size and time see the new content.
void writeFile(const QString &path, const uint8_t *data, size_t size);
// Whether INI text may hold a serialized value ("@Variant(...)", also spelt with escapes or a
// line continuation). QSettings hands such a value to QDataStream, whose counts are trusted: a
// few bytes ask for gigabytes. The store targets skip these inputs until the stores refuse them;
// V7_FUZZ_VARIANTS=1 lets them through.
bool mayHoldVariant(const uint8_t *data, size_t size);
// Runs the events that are ready, deletions included.
void drainEvents();

} // namespace FuzzHarness
