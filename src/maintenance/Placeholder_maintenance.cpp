// Placeholder so the folder library links before its first real source lands.
namespace tw::maintenance { inline constexpr int kPlaceholder = 0; }
