package com.example;

// A main class inside a package.
public class App {
    public static void main(String[] args) {
        System.out.println("packaged main ran");
    }
}
