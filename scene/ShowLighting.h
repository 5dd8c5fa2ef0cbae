#pragma once

// The lights, material and blending state every frame of the show begins
// with, and the show's light placed in the current object coordinates. The
// Director lights the show with them, and the model viewer its models.
void BeginShowLighting();
void PlaceShowLight();
