#include "assets/pictures.h"
constexpr Picture<162, 58> splash_picture{};
constexpr Picture<320, 240> title_picture{};
