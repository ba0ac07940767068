// The tile codes shared by the level file, the level object, the element
// factory and the editor palette, and the cell flags stored with them.
#pragma once

enum TileCode {
    CTRL_HELP = 0,
    FREEZE_MODE = 1,
    HEAT_MODE = 2,
    TUTORIAL = 3,
    DEVICE_TUBE_START = 4,
    NONE = 5,
    CTRL_NEW = 6,
    POWERUP_FROSTGUN = 7,
    POWERUP_HEATGUN = 8,
    POWERUP_WHISTLE = 9, // has no printed name
    DEVICE_TUBE_END = 10,
    CTRL_LOAD = 12,
    POWERUP_TELEPORT = 13,
    POWERUP_BRIDGE = 14,
    POWERUP_EMP = 15,
    CTRL_SAVE = 18,
    POWERUP_CRATE = 19,
    POWERUP_BARREL = 20,
    POWERUP_MAGNET = 21,
    TERRAIN_GRASS = 22,
    CTRL_SAVE_AS = 24,
    OBJECT_WCRATE = 25,
    OBJECT_WBARREL = 26,
    OBJECT_LMAGNET = 27,
    TERRAIN_SAND = 28,
    CTRL_TEST = 30,
    OBJECT_MCRATE = 31,
    OBJECT_MBARREL = 32,
    OBJECT_RMAGNET = 33,
    TERRAIN_ICE = 34,
    CTRL_RECORD = 36,
    DEVICE_GATE_B = 37,
    DEVICE_GATE_Y = 38,
    DEVICE_GATE_R = 39,
    TERRAIN_BRIDGE = 40,
    CTRL_PLAY = 42,
    DEVICE_BUTTON_B = 43,
    DEVICE_BUTTON_Y = 44,
    DEVICE_BUTTON_R = 45,
    LADDER = 46,
    CTRL_EXIT = 48,
    DEVICE_LTELEPORT_B = 49,
    DEVICE_LTELEPORT_Y = 50,
    DEVICE_LTELEPORT_R = 51,
    DEVICE_TRAMPOLINE = 52,
    PLATFORM = 400,
    BOT_HANG = 450,
    BOT_LEFT = 451,
    BOT_RIGHT = 452
};

enum CellFlag {
    CELL_NORMAL = 0,
    CELL_FROZEN = 1024,
    CELL_HEATED = 2048
};
