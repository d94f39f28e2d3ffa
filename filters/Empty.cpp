// Keeps the filters library buildable before its first source arrives.
