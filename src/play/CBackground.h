// The picture behind the board of the play screen: one full-screen image
// chosen by the level's background number ("background%i.jpg"), in the
// lowest sprite layer, and a debugging grid overlay that starts hidden.
// The play screen creates it when it builds a level and deletes it on every
// restart and when it closes.
#pragma once

class CSprite;

class CBackground {
public:
    enum {
        LAYER_PICTURE = 1100,
        LAYER_GRID = 1101,
        PICTURE_ANCHOR_X = 29, // the picture covers the screen from (0, 0)
        PICTURE_ANCHOR_Y = 20,
        GRID_ANCHOR_X = 15,
        GRID_ANCHOR_Y = 7
    };

    // A number without a picture ends the program through the image
    // store; level files only carry numbers that have one.
    explicit CBackground(int number);
    ~CBackground();
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    // Shows the grid when it is hidden, hides it otherwise.
    void toggleGrid();

    CSprite* GetPicture() const { return picture; }
    CSprite* GetGrid() const { return grid; }

private:
    CSprite* picture;
    CSprite* grid;
};
