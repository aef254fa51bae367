// Placeholder so the folder library links before its first real source lands.
namespace tw::db { inline constexpr int kPlaceholder = 0; }
