// Placeholder so that the library has a translation unit until its sources land.
namespace lunarfix { int navigation_placeholder = 0; }
