#pragma once

#include <QRgb>
#include <cstdint>

// Single-pixel arithmetic on packed 0xAARRGGBB values shared by the kernels.
namespace imaging::Pixels {

inline std::uint32_t Alpha(std::uint32_t p) { return p >> 24; }

// x / 255 rounded, for x up to 255 * 255.
inline std::uint32_t Div255(std::uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }

// Each of the four channels of a premultiplied pixel times f / 255 (f up to 255), rounded.
inline std::uint32_t Scale(std::uint32_t p, std::uint32_t f) {
  std::uint32_t rb = (p & 0x00FF00FFu) * f + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t ag = ((p >> 8) & 0x00FF00FFu) * f + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// Premultiplied source-over: s + d·(1 − αs). No channel can carry into the next.
inline std::uint32_t OverPremultiplied(std::uint32_t s, std::uint32_t d) {
  return s + Scale(d, 255 - Alpha(s));
}

// Straight source-over. Exact where either side decides alone: an opaque or fully transparent
// source, or a fully transparent destination, gives back one of the two pixels bit for bit.
inline std::uint32_t OverStraight(std::uint32_t s, std::uint32_t d) {
  const std::uint32_t sa = Alpha(s);
  if (sa == 255 || Alpha(d) == 0) return s;
  if (sa == 0) return d;
  const std::uint32_t out = OverPremultiplied(qPremultiply(s), qPremultiply(d));
  return Alpha(out) == 255 ? out : qUnpremultiply(out);
}

// A premultiplied result written to a straight image.
inline std::uint32_t ToStraight(std::uint32_t p) {
  const std::uint32_t a = Alpha(p);
  if (a == 255) return p;
  if (a == 0) return 0;
  return qUnpremultiply(p);
}

}  // namespace imaging::Pixels
