#pragma once

#include <QString>

// The Secrecy Code stored for a device in apConfig.bin ("common/sCode<did>"), the factory code
// when none is stored; empty for a device the file has no code for.
QString storedSecrecyCode(uint did);
