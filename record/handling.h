// The five handling constants as one record. The program keeps one set,
// program-wide (vehicle/car.h), written by togglevel; a drive's record
// carries them at every row, and each car of the Python module keeps a
// set of its own.
#ifndef RECORD_HANDLING_H
#define RECORD_HANDLING_H

// With the program's names. CA_F and CA_R are negative: less grip is a
// smaller magnitude.
struct handling {
  float DRAG;       // kg/m: force -DRAG v |v| per car axis
  float RESISTANCE; // kg/s: force -RESISTANCE v per car axis
  float CA_F;       // 1/rad: front lateral force per unit axle load
  float CA_R;       // 1/rad: the same for the rear axle
  float MAX_GRIP;   // limit of the lateral force per unit axle load
};

// The program-wide constants now in force.
handling program_handling();

// Puts h in force program-wide.
void set_program_handling(const handling &h);

#endif
