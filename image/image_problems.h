// Why an image was refused: the problem_ texts of the program's table of
// messages, shown after the name of the file.
#ifndef IMAGE_IMAGE_PROBLEMS_H
#define IMAGE_IMAGE_PROBLEMS_H

#include "messages/messages.h"

#endif
