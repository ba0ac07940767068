// The professor as a jointed puppet: a pose describes where his feet stand,
// how he leans and where his limbs point; drawProfessor paints him in his
// green coat, top hat, spectacles and white beard.
#pragma once

#include <cairo.h>

namespace board {

enum class ProfProp { None, FrostGun, HeatGun, Whistle, Emp, Balloon };
enum class ProfView { Side, Front, Back };

struct ProfPose {
    double x = 0, y = 0;     // ground point between the feet
    ProfView view = ProfView::Side;
    bool left = false;       // side view facing left (drawn mirrored)
    double lean = 0;         // torso tilt, radians, positive leans forward
    double hipDrop = 0;      // crouch: hip lowered by this many pixels
    double leg[2] = {0, 0};  // hip angles (0 straight down, positive forward); [0] near leg
    double knee[2] = {0, 0}; // knee bends (positive folds the shin back)
    double arm[2] = {0, 0};  // shoulder angles (0 hanging, positive forward / up)
    double elbow[2] = {0.3, 0.3};
    double headTilt = 0;     // radians
    double sx = 1, sy = 1;   // squash and stretch of the whole figure
    double rot = 0;          // whole-figure rotation around the middle (tumbles)
    double hatLift = 0;      // hat raised above the head
    double hatTilt = 0;
    bool eyesClosed = false;
    double mouth = 0;        // 0 closed .. 1 wide open
    bool cheeks = false;     // cheeks puffed (blowing)
    bool handsToFace = false; // front view: arms drawn over the face
    ProfProp prop = ProfProp::None;
    double propT = 0;        // prop animation phase 0..1
};

void drawProfessor(cairo_t* cr, const ProfPose& p);

} // namespace board
