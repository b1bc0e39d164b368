// Why an image was refused: short reasons in the program's language
// (plain-ASCII Spanish), shown after the name of the file.
#ifndef IMAGE_IMAGE_PROBLEMS_H
#define IMAGE_IMAGE_PROBLEMS_H

inline constexpr const char *problem_cannot_open =
    "no se puede abrir el archivo";
inline constexpr const char *problem_cannot_read =
    "no se puede leer el archivo";
inline constexpr const char *problem_file_too_big =
    "el archivo es demasiado grande";
inline constexpr const char *problem_not_bmp =
    "el archivo no es una imagen BMP";
inline constexpr const char *problem_incomplete = "el archivo esta incompleto";
inline constexpr const char *problem_bad_header =
    "la cabecera de la imagen no es valida";
inline constexpr const char *problem_bad_size =
    "el tamano de la imagen no es valido";
inline constexpr const char *problem_too_big =
    "la imagen mide mas de 4096 x 4096 pixeles";
inline constexpr const char *problem_bad_depth =
    "la profundidad de color no es compatible";
inline constexpr const char *problem_bad_compression =
    "la compresion de la imagen no es compatible";
inline constexpr const char *problem_bad_masks =
    "las mascaras de color no son validas";
inline constexpr const char *problem_off_palette =
    "un pixel usa un color que no esta en la paleta";
inline constexpr const char *problem_rle_overrun =
    "los datos comprimidos se salen de la imagen";
inline constexpr const char *problem_no_memory =
    "no hay memoria suficiente para la imagen";

#endif
