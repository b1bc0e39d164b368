// The program's entry: start-up, the drive, shutdown.
#include "app/app.h"
#include "render/video.h"
#include "vehicle/car.h"

#include <allegro.h>

int main()
{
  if (start_allegro() != 0)
    return 1;
  togglevel(1); // preset 1 is in force from the first step on
  // A failed set-up has shown its own message; nothing else is started.
  if (set_video() != 0 || start_counters() != 0) {
    shut_down();
    return 1;
  }
  init_cartypes();
  car_state car;
  init_car(&car, &cartypes[0]);
  main_loop(&car);
  shut_down();
  return 0;
}
END_OF_MAIN()
