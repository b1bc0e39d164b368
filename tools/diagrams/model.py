"""The diagrams of docs/model.md: the frames and signs, and the forces on
the two axles."""
import math

from diagrams.page import Page, towards
from handling.single_track import GRAVITY


def world(origin, wx, wy, pixels):
    """Seen from above with world +y up the page, world +x lies to the
    page's left: the page vector of a world vector (wx, wy) is -(wx, wy)."""
    return (origin[0] - pixels * wx, origin[1] - pixels * wy)


def wheels(d, c, theta, steer):
    """Four wheels at the corners of a car body turned to heading theta."""
    for along in (44, -44):
        for side in (32, -32):
            w = towards(towards(c, theta, along), theta + math.pi / 2, side)
            d.box(w, theta + (steer if along > 0 else 0.0), 22, 8, "wheel")


FRAMES_NOTES = [
    "Seen from above; the driver looks up the page.",
    "Units: m, s, kg, rad.",
    "",
    "a (angle) is the heading: 0 faces world +y,",
    "positive turns to the left (counterclockwise",
    "here). angular_velocity and steerangle have",
    "the same sign: positive is to the left.",
    "",
    "With sn = sin a, cs = cos a, one matrix maps",
    "both ways (a reflection, its own inverse):",
    "car (x, y) → world (sn x + cs y, cs x − sn y)",
    "world (x, y) → car (sn x + cs y, cs x − sn y)",
    "",
    "The car is held within x = ±18 m; y is moved",
    "by 500 m whenever it leaves 500..1500 m.",
]


def frames(path):
    d = Page(800, 500, "The world and car frames")
    # The road, 40 m wide, its left edge (world x = +20) on the page's left.
    left, right, centre = 90, 430, 260
    d.line((left, 50), (left, 470), "thin")
    d.line((right, 50), (right, 470), "thin")
    d.line((centre, 50), (centre, 470), "faint")
    d.text((left, 488), "x = +20 m (left edge)")
    d.text((centre, 488), "x = 0")
    d.text((right, 488), "x = −20 m (right edge)")

    # The world axes from a corner of the picture.
    o = (400, 430)
    d.arrow(o, world(o, 0, 1, 70), "axis")
    d.arrow(o, world(o, 1, 0, 70), "axis")
    d.text((o[0] - 6, o[1] - 60), "world y: along the road", "end")
    d.text((o[0] - 78, o[1] + 20), "world x: across, to the left", "end")

    # The car at heading a: forward (sin a, cos a), side (cos a, -sin a).
    a, c = 0.5, (250, 250)
    d.box(c, a, 130, 56, "body")
    wheels(d, c, a, 0.0)
    sn, cs = math.sin(a), math.cos(a)
    d.line(c, world(c, 0, 1, 150), "faint")
    d.arrow(c, world(c, sn, cs, 140), "car")
    d.arrow(c, world(c, cs, -sn, 110), "car")
    d.arc(c, 105, 0.0, a, "axis")
    d.text(world(c, 0.22, 1, 115), "a", size=16)
    d.text(world(c, sn - 0.1, cs, 150), "car x: forward, (sin a, cos a)",
           "start")
    d.text(world(c, cs + 0.05, -sn - 0.2, 110), "car y: to the car's left,")
    d.text(world(c, cs + 0.05, -sn - 0.33, 110), "(cos a, −sin a)")
    d.notes((c[0] + 62, c[1] + 10), ["position_wc:", "the centre of gravity"])
    d.notes((460, 80), FRAMES_NOTES)
    d.save(path)


FORCES_NOTES_LEFT = [
    "yawspeed = 0.1 × wheelbase × angular_velocity",
    "rot_angle = atan2(yawspeed, velocity.x)",
    "sideslip = atan2(velocity.y, velocity.x)",
    "slipanglefront = rot_angle + sideslip − steerangle",
    "slipanglerear = sideslip − rot_angle",
    "torque = flatf.y × 1 m − flatr.y × 1 m",
]
FORCES_NOTES_RIGHT = [
    "flatf, flatr: CA_F, CA_R × slip angle, held to",
    "±MAX_GRIP, times weight = %g × mass / 2" % GRAVITY,
    "ftraction = 100 × (throttle − brake)",
    "resistance = −(RESISTANCE v + DRAG v |v|)",
    "on each car axis separately",
    "Green: velocities; red: forces. Angles are",
    "drawn two to three times too big.",
]


def velocities(d, c, front, rear, right, steer, sideslip, rot):
    """At the cg, and at each axle with the yaw term added; each slip angle
    runs from the wheel's heading to its velocity."""
    front_dir, rear_dir = sideslip + rot, sideslip - rot
    d.line(front, towards(front, right + steer, 130), "faint")
    d.arrow(front, towards(front, right + front_dir, 120), "speed")
    d.arrow(rear, towards(rear, right + rear_dir, 110), "speed")
    d.arrow(c, towards(c, right + sideslip, 110), "speed")
    d.arc(front, 115, right, right + steer, "axis")
    d.text(towards(front, right + steer + 0.12, 118), "steerangle", "start")
    d.arc(front, 85, right + steer, right + front_dir, "axis")
    d.text(towards(front, right + front_dir - 0.2, 85), "slipanglefront",
           "start")
    d.arc(rear, 80, right, right + rear_dir, "axis")
    d.text(towards(rear, right + rear_dir - 0.5, 85), "slipanglerear")
    d.arc(c, 80, right, right + sideslip, "axis")
    d.text(towards(c, right + sideslip - 0.5, 85), "sideslip")


def forces_on(d, c, front, rear, right, sideslip):
    """The lateral forces along car y at the axles, traction and resistance
    through the cg."""
    for axle in (front, rear):
        d.arrow(axle, towards(axle, 0, 130), "force")
    d.text(towards(front, 0, 142), "flatf")
    d.text(towards(rear, 0, 142), "flatr")
    d.arrow(c, towards(c, right, 70), "force")
    d.text(towards(towards(c, right, 40), 0, 10), "ftraction", "start")
    d.arrow(c, towards(c, right + sideslip + math.pi, 55), "force")
    d.text(towards(towards(c, right + sideslip + math.pi, 50), 0, 12),
           "resistance", "end")
    d.arc(c, 215, -0.3, 0.3, "car")
    d.text(towards(towards(c, 0.3, 215), 0, 6), "angular_velocity", "end")


def forces(path):
    d = Page(800, 600, "Slip angles and forces in the car frame")
    # The car frame with x (forward) to the page's right and y (to the
    # left) up. One metre is 150 px; the angles are two to three times
    # too big.
    right, c = -math.pi / 2, (320, 310)
    front, rear = towards(c, right, 150), towards(c, right, -150)
    steer, sideslip, rot = 0.35, -0.25, 0.12
    d.box(c, right, 390, 110, "body")
    d.box(front, right + steer, 50, 16, "wheel")
    d.box(rear, right, 50, 16, "wheel")
    d.arrow(towards(c, right, -250), towards(c, right, 295), "thin")
    d.arrow(c, towards(c, 0, 175), "thin")
    d.text(towards(towards(c, right, 300), 0, -4), "car x", "start")
    d.text(towards(towards(c, 0, 170), right, 8), "car y", "start")
    velocities(d, c, front, rear, right, steer, sideslip, rot)
    forces_on(d, c, front, rear, right, sideslip)
    d.notes((c[0] + 6, c[1] - 8), ["cg"])
    scale_y = c[1] + 105
    d.line((c[0], scale_y), (front[0], scale_y), "thin")
    for x in (c[0], front[0]):
        d.line((x, scale_y - 5), (x, scale_y + 5), "thin")
    d.text(((c[0] + front[0]) / 2, scale_y + 18), "1 m", colour="#555555")
    d.notes((30, 475), FORCES_NOTES_LEFT)
    d.notes((440, 475), FORCES_NOTES_RIGHT)
    d.save(path)


DIAGRAMS = {"frames": frames, "forces": forces}
