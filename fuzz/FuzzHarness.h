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
// Whether the program refuses these bytes as a store file before any reader sees them (a value
// QSettings would hand to QDataStream, which trusts the counts in it).
bool refusedByStores(const uint8_t *data, size_t size);
// Runs the events that are ready, deletions included.
void drainEvents();

} // namespace FuzzHarness
