"""Builds Orvalen's structure-code dictionaries from public decomposition data."""
