#include "tests/support/fresh_car.h"

car_state fresh_car(int preset)
{
  init_cartypes();
  togglevel(preset);
  car_state car{};
  init_car(&car, &cartypes[0]);
  return car;
}
