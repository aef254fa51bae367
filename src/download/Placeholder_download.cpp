// Placeholder so the folder library links before its first real source lands.
namespace tw::download { inline constexpr int kPlaceholder = 0; }
