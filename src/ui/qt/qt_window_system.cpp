// placeholder until the Qt shell lands
