import QtQuick

// Up to four exclusive choices: the eight-button group with its usual height.
ButtonGroupPro_8 {
    implicitWidth: 4 * 84
}
