#include "record/step_parts.h"

#include "vehicle/physics.h"

step_parts last_step_parts()
{
  return step_parts{velocity,  slipanglefront, slipanglerear,
                    weight,    flatf,          flatr,
                    ftraction, resistance,     force,
                    torque,    acceleration,   angular_acceleration};
}
