"""Reads kinfold.idl and writes what the native build derives from it."""
