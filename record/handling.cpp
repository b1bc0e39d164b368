#include "record/handling.h"

#include "vehicle/car.h"

handling program_handling()
{
  return handling{DRAG, RESISTANCE, CA_F, CA_R, MAX_GRIP};
}

void set_program_handling(const handling &h)
{
  DRAG = h.DRAG;
  RESISTANCE = h.RESISTANCE;
  CA_F = h.CA_F;
  CA_R = h.CA_R;
  MAX_GRIP = h.MAX_GRIP;
}
